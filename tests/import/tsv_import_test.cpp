// Tab-separated text in every encoding and line end it comes in, the shapes
// of its lines, and damaged files.
#include "tsv_import.h"

#include <gtest/gtest.h>

#include "import_checks.h"
#include "test_files.h"

namespace import {
namespace {

using import_test::Convert;
using import_test::FailureOf;
using import_test::LinesOf;
using import_test::TempDir;
using import_test::WriteBytes;

const std::vector<std::string> kLines = {
    "run\t走る",
    "cat\t猫\tねこ",
    "run\t\"経営する \"\"会社を\"\"\"",  // as a spreadsheet quotes a field that holds a quote
    "\t頭なし",
    "nomeaning\t  \t",
    "no tab here",
    "semi;colon\ta;b",
    "   ",
    "Run\t走る\t",
    "run\t走る",
    "ctrl\tx\x01y",
};
const std::vector<std::string> kExpected = {
    "cat\t猫 / ねこ", "ctrl\tx y", "run\t①走る ②経営する \"会社を\"", "Run\t走る", "semi；colon\ta；b",
};

std::string Joined(const std::string& lineEnd) {
  std::string text;
  for (const std::string& line : kLines) text += line + lineEnd;
  return text;
}

TEST(TsvImportTest, EveryEncodingAndLineEndGivesTheSameLines) {
  const std::string lf = Joined("\n"), crlf = Joined("\r\n"), cr = Joined("\r");
  struct Case {
    const char* name;
    std::string bytes;
    SourceEncoding encoding;
    const char* readAs;
  } cases[] = {
      {"UTF-8, LF", lf, SourceEncoding::kAuto, "(UTF-8)"},
      {"UTF-8 told, LF", lf, SourceEncoding::kUtf8, "(UTF-8)"},
      {"UTF-8 with BOM, CR LF", "\xEF\xBB\xBF" + crlf, SourceEncoding::kAuto, "(UTF-8)"},
      {"UTF-16LE with BOM, CR", "\xFF\xFE" + Convert("UTF-16LE", "UTF-8", cr), SourceEncoding::kAuto,
       "(UTF-16LE)"},
      {"UTF-16BE with BOM, CR LF", "\xFE\xFF" + Convert("UTF-16BE", "UTF-8", crlf), SourceEncoding::kUtf8,
       "(UTF-16BE)"},
      {"Shift-JIS, LF", Convert("CP932", "UTF-8", lf), SourceEncoding::kAuto, "(Shift-JIS"},
      {"Shift-JIS told, CR LF", Convert("CP932", "UTF-8", crlf), SourceEncoding::kCp932, "(Shift-JIS"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    WriteBytes(dir / "words.txt", c.bytes);
    Imported imported = ImportTsv(dir / "words.txt", c.encoding);
    EXPECT_EQ(LinesOf(imported), kExpected) << c.name;
    const ImportReport& r = imported.report;
    EXPECT_NE(r.source.find(c.readAs), std::string::npos) << c.name << ": " << r.source;
    EXPECT_EQ(r.entriesRead, 10) << c.name;
    EXPECT_EQ(r.dropped.Get("lines without a word before the TAB"), 1) << c.name;
    EXPECT_EQ(r.dropped.Get("lines without a meaning after the TAB"), 1) << c.name;
    EXPECT_EQ(r.dropped.Get("lines without a TAB between word and meaning"), 1) << c.name;
    EXPECT_EQ(r.changed.Get(kMergedEntries), 2) << c.name;
    EXPECT_EQ(r.characters.semicolons, 2) << c.name;
    EXPECT_EQ(r.characters.controls, 1) << c.name;
  }
}

TEST(TsvImportTest, LongLinesAreCutBetweenSenses) {
  TempDir dir;
  const std::string a(4000, 'a'), b(4000, 'b'), c(4000, 'c');
  WriteBytes(dir / "words.txt", "long\t" + a + "\nlong\t" + b + "\nlong\t" + c + "\nshort\tok\n");
  Imported imported = ImportTsv(dir / "words.txt", SourceEncoding::kAuto);
  EXPECT_EQ(LinesOf(imported), (std::vector<std::string>{"long\t①" + a + " ②" + b, "short\tok"}));
  EXPECT_EQ(imported.report.changed.Get("lines shortened to fit the reader's line buffer"), 1);
}

TEST(TsvImportTest, Unquoted) {
  struct Case {
    const char* field;
    const char* expected;
  } cases[] = {
      {"\"a \"\"b\"\"\"", "a \"b\""}, {"\"plain\"", "plain"},   {"\"\"", ""},
      {"\"a\" b", "\"a\" b"},         {"\"a\"b\"", "\"a\"b\""}, {"\"", "\""},
      {"say \"hi\"", "say \"hi\""},
  };
  for (const auto& c : cases) EXPECT_EQ(Unquoted(c.field), c.expected) << c.field;
}

TEST(TsvImportTest, DamagedFilesAreNamedWithTheLine) {
  struct Case {
    const char* name;
    std::string bytes;
    SourceEncoding encoding;
    const char* because;
  } cases[] = {
      {"a NUL", std::string("a\tb\nc\0\td\n", 9), SourceEncoding::kAuto, "line 2: holds a NUL byte"},
      {"UTF-16 without its mark", std::string("a\0\t\0b\0\n\0", 8), SourceEncoding::kAuto,
       "line 1: holds a NUL byte"},
      {"not UTF-8 as told", "a\tb\nc\td\n\xff\tx\n", SourceEncoding::kUtf8, "line 3: not valid UTF-8"},
      {"not UTF-8 after CR line ends", "a\tb\r\x82\xa0\tx\r", SourceEncoding::kUtf8,
       "line 2: not valid UTF-8"},
      {"not Shift-JIS as told", "a\tb\n\x82\x09x\n", SourceEncoding::kCp932, "line 2: not valid Shift-JIS"},
      {"neither", "a\tb\n\x82\xa0\tx\n\xe3\x81\x82\tz\n", SourceEncoding::kAuto,
       "neither UTF-8 (line 2 is not) nor Shift-JIS (line 3 is not)"},
      {"UTF-16 cut inside a character",
       std::string("\xFF\xFE"
                   "a\0\t\0b",
                   7),
       SourceEncoding::kAuto, "line 1: not valid UTF-16LE"},
      {"no word TAB meaning", "just text\nmore text\n", SourceEncoding::kAuto,
       "holds no \"word TAB meaning\" line"},
      {"empty", "", SourceEncoding::kAuto, "holds no \"word TAB meaning\" line"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string path = dir / "words.txt";
    WriteBytes(path, c.bytes);
    const std::string message = FailureOf([&] { ImportTsv(path, c.encoding); });
    EXPECT_NE(message.find(path + ": " + c.because), std::string::npos) << c.name << ": " << message;
  }
}

}  // namespace
}  // namespace import
