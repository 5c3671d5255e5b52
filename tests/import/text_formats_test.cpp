// Dictionaries as users bring them: each format in each encoding and line
// end, recognised and imported; the inputs an import refuses, which leave the
// dictionary as it was; and a dropped file's whole course.
#include <gtest/gtest.h>

#include <algorithm>

#include "csv_import.h"
#include "drop_import.h"
#include "drop_message.h"
#include "import_checks.h"
#include "square_text_import.h"
#include "test_files.h"
#include "text_fixtures.h"

namespace import {
namespace {

using import_test::Cp932;
using import_test::LinesOf;
using import_test::ReadBytes;
using import_test::TempDir;
using import_test::WriteBytes;

std::string AsGiven(const std::string& text) { return text; }

TEST(TextFormatsTest, EveryFixtureIsRecognisedAndImported) {
  TempDir dir;
  std::vector<import_test::GoodFixture> good;
  std::vector<import_test::BadFixture> bad;
  import_test::WriteFixtures(dir.Path(), good, bad);
  for (const auto& f : good) {
    const RecognisedSource source = RecogniseSource(dir / f.name);
    EXPECT_EQ(source.format, f.format) << f.name;
    const Imported imported = ImportRecognised(source);
    EXPECT_EQ(LinesOf(imported), import_test::ExpectedLines(f.format)) << f.name;
    // What the message box lists is said in Japanese.
    for (const Tally* tally : {&imported.report.dropped, &imported.report.changed})
      for (const auto& [label, n] : tally->Items()) EXPECT_NE(InJapanese(label), label) << f.name;
  }
}

TEST(TextFormatsTest, RefusedInputsAreNamedWithTheLineAndChangeNothing) {
  TempDir dir;
  std::vector<import_test::GoodFixture> good;
  std::vector<import_test::BadFixture> bad;
  import_test::WriteFixtures(dir.Path(), good, bad);
  const std::string dictionary = dir / "RAdoro.txt", before = "run\t[ran]\told\r\n";
  WriteBytes(dictionary, before);
  for (const auto& f : bad) {
    const std::string path = dir / f.name;
    try {
      ImportRecognised(RecogniseSource(path));
      ADD_FAILURE() << f.name << " was imported";
    } catch (const ImportError& e) {
      EXPECT_EQ(e.problem(), f.problem) << f.name << ": " << e.what();
      EXPECT_EQ(e.line(), f.line) << f.name << ": " << e.what();
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    const DropOutcome outcome = ImportDroppedFile(path, dictionary, AsGiven);
    EXPECT_FALSE(outcome.succeeded) << f.name;
    EXPECT_NE(outcome.message.find("ファイル: " + path + "\n"), std::string::npos) << outcome.message;
    if (f.line)
      EXPECT_NE(outcome.message.find("場所: " + std::to_string(f.line) + " 行目\n"), std::string::npos)
          << outcome.message;
    EXPECT_EQ(ReadBytes(dictionary), before) << f.name;
  }
  EXPECT_EQ(dir.Listing().find("RAdoro.txt."), std::string::npos)
      << dir.Listing();  // no work file, no backup
}

TEST(TextFormatsTest, ADroppedFileKeepsRegistrationsAndTellsWhatItDid) {
  TempDir dir;
  const std::string dictionary = dir / "RAdoro.txt", before = Cp932("run\t[ラン]\t古い\r\ngone\t[g]\tx\r\n");
  WriteBytes(dictionary, before);
  WriteBytes(dir / "words.txt", Cp932("run /// 走る\r\ncat /// 猫\r\nnothing ///\r\n"));
  const DropOutcome outcome =
      ImportDroppedFile(dir / "words.txt", dictionary, AsGiven, import::FormOptions::None());
  EXPECT_TRUE(outcome.succeeded) << outcome.message;
  EXPECT_EQ(ReadBytes(dictionary), Cp932("cat\t猫\r\nrun\t[ラン]\t走る\r\n"));
  EXPECT_EQ(ReadBytes(dictionary + ".bak"), before);
  for (const std::string& said :
       {"ファイル: " + (dir / "words.txt") + "\n", std::string("形式: 1 行テキスト (見出し /// 訳)\n"),
        std::string(
            "読み込んだ項目: 3\n書き込んだ行: 2\n取り込まなかったもの: 1\n  ・「///」の後に訳のない行: 1\n"),
        std::string("引き継いだ登録済みの発音: 1\n"),
        std::string("引き継げなかった登録済みの発音: 1 (前の辞書に残っています)\n"
                    "  ・gone [g]: 新しい辞書にこの見出し語がありません\n"),
        "辞書: " + dictionary + "\n前の辞書: " + dictionary + ".bak\n"})
    EXPECT_NE(outcome.message.find(said), std::string::npos) << said << " in\n" << outcome.message;
}

// The forms' data beside the program makes form lines; without it the drop
// still imports, and says which file it missed.
TEST(TextFormatsTest, ADroppedFileSaysWhetherItMadeFormLines) {
  TempDir dir;
  const std::string dictionary = dir / "RAdoro.txt";
  WriteBytes(dir / "words.txt", Cp932("file /// ファイル\r\nfilament /// フィラメント\r\n"));
  const struct {
    FormOptions forms;
    std::string said;
    size_t lines;
  } cases[] = {
      // filaments, filamentous, filed, files ("filament" would come first), filing
      {FormOptions(), "  (うち語形変化・派生語などの行: 5)\n", 7},
      {FormOptions::Packaged(dir.Path() + "/"),
       "そのためのデータがありません: " + dir.Path() + "/forms\\wordnet/index.noun\n", 2},
  };
  for (const auto& c : cases) {
    const DropOutcome outcome = ImportDroppedFile(dir / "words.txt", dictionary, AsGiven, c.forms);
    EXPECT_TRUE(outcome.succeeded) << outcome.message;
    EXPECT_NE(outcome.message.find(c.said), std::string::npos) << outcome.message;
    const std::string written = ReadBytes(dictionary);
    EXPECT_EQ(static_cast<size_t>(std::count(written.begin(), written.end(), '\n')), c.lines) << written;
  }
}

TEST(TextFormatsTest, CsvRecords) {
  struct Case {
    const char* text;
    const char* records;  // fields joined by '|', each record after its line number
  } cases[] = {
      {"a,b\n", "1:a|b"},
      {"a,\"b,c\"\r\nd\n", "1:a|b,c 2:d"},
      {"\"say \"\"hi\"\"\",x", "1:say \"hi\"|x"},
      {"\"two\nlines\",x\n\ny\n", "1:two\nlines|x 4:y"},
      {"a, \"b\" ,c\r", "1:a|b |c"},
      {",,\n", "1:||"},
      {"\n\r\n", ""},
  };
  for (const auto& c : cases) {
    std::string shown;
    for (const CsvRecord& r : ParseCsv("x.csv", c.text)) {
      shown += (shown.empty() ? "" : " ") + std::to_string(r.line) + ":";
      for (size_t i = 0; i < r.fields.size(); ++i) shown += (i ? "|" : "") + r.fields[i];
    }
    EXPECT_EQ(shown, c.records) << c.text;
  }
}

TEST(TextFormatsTest, ReadingsInBracesAreLeftOut) {
  struct Case {
    const char* meaning;
    const char* shown;
    int64_t removed;
  } cases[] = {
      {"走る{はしる}、駆ける{かける}", "走る、駆ける", 2},
      {"{名}走ること", "{名}走ること", 0},
      {"ワイン{ワイン}", "ワイン", 1},
      {"{}a{b}", "{}a{b}", 0},
      {"open{はし", "open{はし", 0},
      {"", "", 0},
  };
  for (const auto& c : cases) {
    int64_t removed = 0;
    EXPECT_EQ(WithoutReadings(c.meaning, removed), c.shown) << c.meaning;
    EXPECT_EQ(removed, c.removed) << c.meaning;
  }
}

}  // namespace
}  // namespace import
