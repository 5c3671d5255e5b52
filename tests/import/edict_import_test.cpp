#include "edict_import.h"

#include <gtest/gtest.h>

#include "test_files.h"

namespace import {
namespace {

using import_test::kFixtures;
using import_test::ReadBytes;
using import_test::TempDir;

// The fixture covers the header line, common words first, a verb's "to "
// (dropped only for verbs, also in a later sense), trailing notes, repeated
// glosses, ';' in a gloss, the JIS wave dash, a JIS X 0212 character that
// code page 932 lacks, a gloss of tags only, a malformed line and a CR LF line.
TEST(EdictImportTest, FixtureIsImportedByteExact) {
  Imported imported = ImportEdict(kFixtures + "/edict");
  TempDir dir;
  WriteDictionary(dir / "RAdoro.txt", imported.lines);
  EXPECT_EQ(ReadBytes(dir / "RAdoro.txt"), ReadBytes(kFixtures + "/edict-expected.txt"));

  const ImportReport& r = imported.report;
  EXPECT_EQ(r.entriesRead, 13);
  EXPECT_EQ(r.changed.Get("header lines skipped"), 1);
  EXPECT_EQ(r.dropped.Get("entries without an English gloss"), 1);
  EXPECT_EQ(r.dropped.Get("lines not in the EDICT form \"word [reading] /gloss/.../\""), 1);
  EXPECT_EQ(r.characters.equivalents, 2);  // the wave dash, twice
  EXPECT_EQ(r.characters.unmappable, 1);
  EXPECT_EQ(r.characters.semicolons, 1);
}

TEST(EdictImportTest, ParseLine) {
  struct Case {
    const char* line;
    const char* japanese;
    const char* reading;
    bool common;
    std::vector<std::pair<std::string, std::string>> glosses;  // headword, note
  } cases[] = {
      {"回帰 [かいき] /(n,vs) (1) return (to)/(2) (math) regression/(P)/", "回帰", "かいき", true,
       {{"return", "(to)"}, {"regression", ""}}},
      {"走る [はしる] /(v5r,vi) (1) to run/(2) to travel (of a vehicle) (fig)/", "走る", "はしる", false,
       {{"run", ""}, {"travel", "(of a vehicle) (fig)"}}},
      {"あちこち /(adv) to and fro/", "あちこち", "", false, {{"to and fro", ""}}},
      // "vulg" is a usage tag, not a verb code.
      {"くそ /(int) (vulg) to hell/", "くそ", "", false, {{"to hell", ""}}},
      {"逃げる [にげる] /(v1,vi) to flee/EntL1234567X/", "逃げる", "にげる", false, {{"flee", ""}}},
      {"頭 [あたま] /(n) head (of the body)(fig)/", "頭", "あたま", false, {{"head (of the body)(fig)", ""}}},
      {"ゝ /(unc) (arch)/", "ゝ", "", false, {}},
      // A note that the verb's "to " leaves in front goes behind the words.
      {"たがる /(aux-v,v5r) to (seem) eager to/(P)/", "たがる", "", true, {{"eager to", "(seem)"}}},
      {"受け付ける [うけつける] /(v1,vt) (2) to (be able to) take (food, etc.)/", "受け付ける", "うけつける",
       false, {{"take", "(be able to) (food, etc.)"}}},
      {"する /(vs-i) to (a (b)) c/(v1) to (only a note)/(v1) to (unclosed x/", "する", "", false,
       {{"c", "(a (b))"}, {"(unclosed x", ""}}},
      // Its first word stands alone: a comma or ellipsis after it would take the word's lookup.
      {"ＴＰＯ /(n) time, place, occasion/well.../Mr. Smith/", "ＴＰＯ", "", false,
       {{"time place occasion", ""}, {"well ...", ""}, {"Mr. Smith", ""}}},
      // Nor with quote marks; an apostrophe that begins a word stays.
      {"無罪 [むざい] /(n) \"not guilty\" verdict (law)/'ra'-removed/'tis/\"\"x/\"open/", "無罪", "むざい", false,
       {{"not guilty verdict", "(law)"}, {"ra-removed", ""}, {"'tis", ""}, {"\"\"x", ""}, {"\"open", ""}}},
  };
  for (const auto& c : cases) {
    std::optional<EdictEntry> e = ParseEdictLine(c.line);
    ASSERT_TRUE(e) << c.line;
    EXPECT_EQ(e->japanese, c.japanese) << c.line;
    EXPECT_EQ(e->reading, c.reading) << c.line;
    EXPECT_EQ(e->common, c.common) << c.line;
    std::vector<std::pair<std::string, std::string>> glosses;
    for (const auto& g : e->glosses) glosses.emplace_back(g.headword, g.note);
    EXPECT_EQ(glosses, c.glosses) << c.line;
  }
  for (const char* bad : {"no glosses here", "語 /gloss", "語 [ご /gloss/", " [よみ] /gloss/"})
    EXPECT_FALSE(ParseEdictLine(bad)) << bad;
}

}  // namespace
}  // namespace import
