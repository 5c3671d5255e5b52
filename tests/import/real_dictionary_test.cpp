// The default dictionary made of Debian's data (installed by scripts/setup.sh)
// as the pop-up shows it: the words a reader copies most find their own
// entry or their base form's first, and a past form's row is followed to its base.
#include <gtest/gtest.h>

#include "edict_import.h"
#include "english_forms.h"
#include "freedict_import.h"
#include "gap_fill.h"
#include "import_checks.h"
#include "lookup/lookup.h"
#include "rows/row_word.h"
#include "test_files.h"

namespace import {
namespace {

TEST(RealDictionaryTest, RightEntryFirst) {
  const EnglishForms forms{FormSources{}};
  ImportSettings settings;
  settings.forms = &forms;
  ImportSettings eachAlone;
  Imported imported = FillGaps(ImportFreedict(kFreedictIndex, kFreedictData, eachAlone),
                               ImportEdict(kEdictFile, eachAlone), "EDICT", kEdictMark, settings);
  import_test::TempDir dir;
  WriteDictionary(dir / "RAdoro.txt", imported.lines);

  struct Case {
    const char* word;
    const char* firstRow;  // how it begins, in UTF-8
    const char* followed;  // the word a double-click on it looks up
  } const cases[] = {
      {"went", "went\tv. goの過去形 ― ", "go"},
      {"was", "was\tv. beの過去形 ― ", "be"},
      {"files", "files\tn. fileの複数形", "files"},
      {"FILES", "files\tn. fileの複数形", "files"},
      {"children", "children\tn. childの複数形 ― ", "children"},
      {"written", "written\tv. writeの過去分詞 ― ", "write"},
      {"using", "using\tv. useの現在分詞 ― ", "using"},
      {"specified", "specified\tv. specifyの過去形・過去分詞 ― ", "specify"},
      {"is", "is\tv. beの三単現 ― ", "is"},
      {"an", "an\tart. aの母音の前の形", "an"},
      {"those", "those\tpron. thatの複数形 ― ", "those"},
      {"optional", "optional\t〔EDICT〕", "optional"},  // a basic word FreeDict lacks
      // Words that are no headword, related to one.
      {"positional", "positional\tadj. positionの形容詞形 ― 位置", "positional"},
      {"redistribute", "redistribute\tv. redistributionの動詞形 ― ", "redistribute"},
      {"denoted", "denoted\tv. denoteの過去形・過去分詞 ― ", "denote"},
      {"info", "info\tn. informationの略 ― 情報", "info"},
      {"builtin", "builtin\tadj. built-inの別綴り ― ", "builtin"},
      {"unprivileged", "unprivileged\tadj. privilegedの反意語 ― ", "unprivileged"},
      {"time,", "time\tn. ", "time"},  // not "time, place, occasion"
  };
  for (const Case& c : cases) {
    const lookup::LookupResult result = lookup::Lookup(dir / "RAdoro.txt", c.word, false);
    ASSERT_TRUE(result.lists[0] && result.lists[0]->count > 0) << c.word;
    const std::string row = result.lists[0]->rows.front();
    EXPECT_EQ(import_test::Utf8(row).rfind(c.firstRow, 0), 0u) << c.word << ": " << import_test::Utf8(row);
    EXPECT_EQ(rows::WordToFollow(row), c.followed) << c.word;
  }
}

}  // namespace
}  // namespace import
