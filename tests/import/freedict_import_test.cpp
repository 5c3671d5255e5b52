#include "freedict_import.h"

#include <gtest/gtest.h>

#include "test_files.h"

namespace import {
namespace {

using import_test::kFixtures;
using import_test::ReadBytes;
using import_test::TempDir;

// The fixture covers joined senses and parts of speech, glosses announced by
// " 2.", senses and entries without Japanese, ';' in headwords and notes, a
// TAB in a meaning, a long note, characters outside code page 932, case
// variants and the order of the lines.
TEST(FreedictImportTest, FixtureIsImportedByteExact) {
  Imported imported = ImportFreedict(kFixtures + "/freedict.index", kFixtures + "/freedict.dict.dz");
  TempDir dir;
  WriteDictionary(dir / "RAdoro.txt", imported.lines);
  EXPECT_EQ(ReadBytes(dir / "RAdoro.txt"), ReadBytes(kFixtures + "/freedict-expected.txt"));

  const ImportReport& r = imported.report;
  EXPECT_EQ(r.entriesRead, 17);
  EXPECT_EQ(r.dropped.Get("entries without a Japanese meaning"), 1);
  EXPECT_EQ(r.dropped.Total(), 1);
  EXPECT_EQ(r.changed.Get("dictd information entries skipped"), 1);
  EXPECT_EQ(r.changed.Get("senses without a Japanese meaning left out"), 2);
  EXPECT_EQ(r.changed.Get("notes shortened"), 1);
  EXPECT_EQ(r.characters.equivalents, 4);  // é, 〜, ₃, ₂
  EXPECT_EQ(r.characters.unmappable, 1);   // 鱝
  EXPECT_EQ(r.characters.semicolons, 3);
  EXPECT_EQ(r.characters.controls, 1);
}

TEST(FreedictImportTest, ParseEntry) {
  struct Case {
    const char* text;
    const char* headword;
    const char* pos;
    std::vector<FreedictSense> senses;
    int sensesWithoutJapanese;
  } cases[] = {
      {"go //ɡoʊ// <v>\n1. 動く, 行く\nto work\n2. 崩れる\n", "go", "v",
       {{{"動く", "行く"}, {"to work"}}, {{"崩れる"}, {}}}, 0},
      {"cat <n>\n猫 2.\ndomestic species\n 3.\nFelidae\n", "cat", "n",
       {{{"猫"}, {"domestic species", "Felidae"}}}, 0},
      {"a bad workman /ɐ bˈad/ <proverb>\n弘法筆を選ばず\n", "a bad workman", "proverb", {{{"弘法筆を選ばず"}, {}}}, 0},
      {"above all /əbˌʌv/\n何よりも\nof prime importance", "above all", "", {{{"何よりも"}, {"of prime importance"}}}, 0},
      {"9 to 5 <adj>\n1. , , \nfrom nine to five\n2. 日勤, 日勤\n", "9 to 5", "adj", {{{"日勤"}, {}}}, 1},
      {"ation <suffix>\n \n-ation (suffix)\n", "ation", "suffix", {}, 1},
      {"and/or <conj>\nまたは\n", "and/or", "conj", {{{"または"}, {}}}, 0},
  };
  for (const auto& c : cases) {
    FreedictEntry e = ParseFreedictEntry(c.text);
    EXPECT_EQ(e.headword, c.headword) << c.text;
    EXPECT_EQ(e.pos, c.pos) << c.text;
    EXPECT_EQ(e.sensesWithoutJapanese, c.sensesWithoutJapanese) << c.text;
    ASSERT_EQ(e.senses.size(), c.senses.size()) << c.text;
    for (size_t i = 0; i < c.senses.size(); ++i) {
      EXPECT_EQ(e.senses[i].japanese, c.senses[i].japanese) << c.text;
      EXPECT_EQ(e.senses[i].glosses, c.senses[i].glosses) << c.text;
    }
  }
}

}  // namespace
}  // namespace import
