// StarDict dictionaries written by the tests: every field type, both offset
// sizes, packed and plain files, synonyms, and damaged files.
#include "stardict_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>

#include "dictionary_as_stardict.h"
#include "freedict_import.h"
#include "import_checks.h"
#include "lookup/lookup.h"
#include "markup_text.h"
#include "stardict_writer.h"
#include "test_files.h"

namespace import {
namespace {

using import_test::FailureOf;
using import_test::LinesOf;
using import_test::ReadBytes;
using import_test::StardictEntry;
using import_test::StardictLayout;
using import_test::TempDir;
using import_test::WriteBytes;
using import_test::WriteStardict;

using Synonyms = std::vector<std::pair<std::string, uint32_t>>;

std::string Field(char type, const std::string& text) { return std::string(1, type) + text + '\0'; }
std::string Sized(char type, const std::string& bytes) {
  std::string field(1, type);
  import_test::AppendBigEndian(field, bytes.size(), 4);
  return field + bytes;
}

std::string Tm(const std::string& phonetic, const std::string& text) { return phonetic + '\0' + text; }

// Pronunciation and text in every entry ("tm"); in the .idx order, which is
// not sorted.
const std::vector<StardictEntry> kPronounced = {
    {"zebra", Tm("zee-bruh", "縞馬\nしまうま")},
    {"apple", Tm("", "林檎; りんご")},
    {"Apple", Tm("a]b", "アップル社")},
    {"run", Tm("ran", "走る")},
    {"run", Tm("ran", "経営する\r\n\n  運営する  ")},
    {"tab", Tm("",
               "a\tb\x01"
               "c")},
    {"café", Tm("kafe", "喫茶店")},
};
const Synonyms kSynonyms = {{"zebras", 0}, {"running", 3}, {"RUN", 4}, {"cafe", 6}};
const std::vector<std::string> kPronouncedLines = {
    "zebra\t[zee-bruh]\t縞馬 しまうま",
    "zebras\t[zee-bruh]\t縞馬 しまうま",
    "apple\t林檎； りんご",
    "Apple\tアップル社",
    "run\t[ran]\t①走る ②経営する 運営する",
    "running\t[ran]\t走る",
    "RUN\t[ran]\t経営する 運営する",
    "tab\ta b c",
    "cafe\t[kafe]\t喫茶店",
};

TEST(StardictImportTest, PronunciationsTextAndSynonymsInIndexOrder) {
  const StardictLayout layouts[] = {
      {32, false, true, "tm"},
      {64, true, false, "tm"},
      {64, false, true, "tm"},
  };
  for (const StardictLayout& layout : layouts) {
    TempDir dir;
    WriteStardict(dir / "d", kPronounced, kSynonyms, layout);
    Imported imported = ImportStardict(dir / "d.ifo");
    EXPECT_EQ(LinesOf(imported), kPronouncedLines) << layout.offsetBits;
    const ImportReport& r = imported.report;
    EXPECT_EQ(r.entriesRead, 7);
    EXPECT_EQ(r.changed.Get("synonyms read, each a headword of its own"), 4);
    EXPECT_EQ(r.changed.Get(kMergedEntries), 2);  // the second "run", the synonym "cafe"
    EXPECT_EQ(r.changed.Get("pronunciations left out: code page 932 gives them a ']' byte"), 1);
    EXPECT_EQ(r.characters.semicolons, 1);
    EXPECT_EQ(r.characters.controls, 2);
    EXPECT_EQ(r.dropped.Total(), 0);
  }
}

TEST(StardictImportTest, MarkupAndStoredFieldTypes) {
  const std::vector<StardictEntry> entries = {
      {"html",
       Field('h', "<b>cat</b> &amp;  dog<br>猫 &lt;ねこ&gt;<p>犬&#x72AC;&#12354;</p>") + Sized('W', "abc")},
      {"pango", Field('g', "<span foreground=\"red\">赤</span>\n<i>red</i> a < b")},
      {"sound", Sized('W', "xy")},
      {"  ", Field('m', "x")},
      {"xdxf", Field('x', "<k>xdxf</k>") + Field('m', "plain")},
      {"unended", "mend"},  // a last text field without its NUL
  };
  TempDir dir;
  WriteStardict(dir / "d", entries, {}, {32, false, true, ""});
  Imported imported = ImportStardict(dir / "d.ifo");
  EXPECT_EQ(LinesOf(imported),
            (std::vector<std::string>{"html\tcat & dog 猫 <ねこ> 犬犬あ", "pango\t赤 red a < b",
                                      "xdxf\tplain", "unended\tend"}));
  const ImportReport& r = imported.report;
  EXPECT_EQ(r.entriesRead, 6);
  EXPECT_EQ(r.dropped.Get("entries without a meaning (a text, HTML or Pango field)"), 1);
  EXPECT_EQ(r.dropped.Get("entries without a headword"), 1);
  EXPECT_EQ(r.changed.Get("fields of type 'W' left out (not text)"), 2);
  EXPECT_EQ(r.changed.Get("fields of type 'x' left out (not text)"), 1);
}

TEST(StardictImportTest, MarkupToText) {
  struct Case {
    const char* markup;
    const char* text;
  } cases[] = {
      {"a  \t b", "a b"},
      {"<B>bold</B><BR/>next<br />last", "bold\nnext\nlast"},
      {"<div class=\"x\">one</div><li>two", "\none\n\ntwo"},
      {"1 < 2 and 3 <4", "1 < 2 and 3 <4"},  // no tag
      {"<unclosed", "<unclosed"},
      {"a<!-- <br> -->b<!-- open", "ab"},
      {"&lt;&gt;&amp;&quot;&apos;&nbsp;&mdash;", "<>&\"' \u2014"},
      {"&#65;&#x42;&#X43;&#x1F600;", "ABC\U0001F600"},
      {"&unknown; &#0; &#xD800; &#x110000; &#12a; & ;", "&unknown; &#0; &#xD800; &#x110000; &#12a; & ;"},
      {"&amp", "&amp"},
  };
  for (const auto& c : cases) EXPECT_EQ(MarkupToText(c.markup), c.text) << c.markup;
}

void Cut(const std::string& path, size_t bytes) {
  const std::string all = ReadBytes(path);
  WriteBytes(path, all.substr(0, all.size() - bytes));
}

// Overwrites the bytes that follow `marker` in the file.
void PatchAfter(const std::string& path, const std::string& marker, const std::string& bytes) {
  std::string all = ReadBytes(path);
  const size_t at = all.find(marker);
  ASSERT_NE(at, std::string::npos) << marker;
  WriteBytes(path, all.replace(at + marker.size(), bytes.size(), bytes));
}

void Replace(const std::string& path, const std::string& from, const std::string& to) {
  std::string all = ReadBytes(path);
  const size_t at = all.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  WriteBytes(path, all.replace(at, from.size(), to));
}

TEST(StardictImportTest, DamagedFilesAreNamedWithThePlace) {
  const StardictLayout dictzip{32, false, true, "tm"}, plain{32, false, false, "tm"};
  struct Case {
    const char* name;
    StardictLayout layout;
    std::function<void(const std::string&)> damage;
    const char* blamed;  // the file the message must name
    const char* because;
    std::vector<StardictEntry> entries = kPronounced;
  } cases[] = {
      {"truncated .dict.dz", dictzip, [](auto& d) { Cut(d + ".dict.dz", 10); }, ".dict.dz", "truncated"},
      {"truncated .dict", plain, [](auto& d) { Cut(d + ".dict", 10); }, ".idx",
       "entry 7 (\"café\"): its text (offset "},
      {"offset past the end", plain,
       [](auto& d) { PatchAfter(d + ".idx", std::string("apple\0", 6), "\x7f\xff\xff\xff"); }, ".idx",
       "entry 2 (\"apple\"): its text (offset 2147483647"},
      {".idx cut inside an entry", plain, [](auto& d) { Cut(d + ".idx", 3); }, ".idx", "entry 7 (byte "},
      {"more entries than the .ifo gives", plain,
       [](auto& d) { Replace(d + ".ifo", "wordcount=7", "wordcount=6"); }, ".idx",
       "holds more than the 6 entries"},
      {"fewer entries than the .ifo gives", plain,
       [](auto& d) { Replace(d + ".ifo", "wordcount=7", "wordcount=70"); }, ".idx", "holds 7 entries, but"},
      {"no .ifo", plain, [](auto& d) { WriteBytes(d + ".ifo", "[options]\nwordcount=7\n"); }, ".ifo",
       "not a StarDict .ifo file"},
      {"no wordcount", plain, [](auto& d) { Replace(d + ".ifo", "wordcount=7", "words=7"); }, ".ifo",
       "gives no wordcount"},
      {"unknown offset size", plain,
       [](auto& d) { Replace(d + ".ifo", "version=2.4.2", "idxoffsetbits=48"); }, ".ifo",
       "line 2: idxoffsetbits=48"},
      {"a synonym for no entry", plain,
       [](auto& d) { PatchAfter(d + ".syn", std::string("zebras\0", 7), std::string("\0\0\0\x63", 4)); },
       ".syn", "synonym 1 (\"zebras\") is given for entry 100, but there are only 7"},
      {".syn cut inside a synonym", plain, [](auto& d) { Cut(d + ".syn", 2); }, ".syn", "synonym 4 (byte "},
      {"fewer synonyms than the .ifo gives", plain,
       [](auto& d) { Replace(d + ".ifo", "synwordcount=4", "synwordcount=5"); }, ".syn", "4 synonyms, but"},
      {"no .syn where the .ifo gives synonyms", plain, [](auto& d) { std::remove((d + ".syn").c_str()); },
       ".syn", "missing, but"},
      {"no .idx", plain, [](auto& d) { std::remove((d + ".idx").c_str()); }, ".idx", "missing (and so is"},
      {"headword not UTF-8",
       plain,
       [](auto&) {},
       ".idx",
       "entry 1 (\"\xff\"): the headword is not valid UTF-8",
       {{"\xff", std::string("\0x", 2)}}},
      {"text not UTF-8",
       plain,
       [](auto&) {},
       ".idx",
       "entry 1 (\"a\"): its text is not valid UTF-8",
       {{"a", std::string("\0\xe8\xb5", 3)}}},
      {"phonetic field without its end",
       plain,
       [](auto&) {},
       ".dict",
       "entry 1 (\"a\") field 't' has no end (NUL) before the entry ends",
       {{"a", "ran"}}},
  };
  for (auto& c : cases) {
    TempDir dir;
    Synonyms synonyms = c.entries.size() == kPronounced.size() ? kSynonyms : Synonyms{};
    WriteStardict(dir / "d", c.entries, synonyms, c.layout);
    c.damage(dir / "d");
    const std::string message = FailureOf([&] { ImportStardict(dir / "d.ifo"); });
    EXPECT_NE(message.find(dir / (std::string("d") + c.blamed)), std::string::npos)
        << c.name << ": " << message;
    EXPECT_NE(message.find(c.because), std::string::npos) << c.name << ": " << message;
  }
  TempDir dir;
  EXPECT_NE(FailureOf([&] { ImportStardict(dir / "d.idx"); }).find("given by its .ifo file"),
            std::string::npos);
}

// What a lookup shows, with the rows of each list sorted: the lines of the
// two dictionaries stand in different orders (StarDict puts "Apple" before
// "apple"), everything else must agree.
std::string Shown(const lookup::LookupResult& result) {
  std::ostringstream out;
  out << result.listCounter << " " << result.WindowWidth() << "x" << result.WindowHeight() << "\n";
  for (const auto& list : result.lists) {
    if (!list) continue;
    std::vector<std::string> rows = list->rows;
    std::sort(rows.begin(), rows.end());
    out << list->count << " " << list->Width() << "x" << list->Height() << " " << list->Extent() << "\n";
    for (const std::string& row : rows) out << row << "\n";
  }
  return out.str();
}

// The FreeDict import written as a StarDict dictionary and imported again
// gives the same lookups: for every first two bytes of a headword (which
// together show every line) and for related words.
void ExpectSameLookupsAsFreedict(const std::string& index, const std::string& data) {
  TempDir dir;
  const Imported freedict = ImportFreedict(index, data);
  WriteDictionary(dir / "freedict.txt", freedict.lines);
  const std::string freedictBytes = ReadBytes(dir / "freedict.txt");
  WriteStardict(dir / "fd", import_test::StardictEntriesOf(freedictBytes));
  const Imported stardict = ImportStardict(dir / "fd.ifo");
  WriteDictionary(dir / "stardict.txt", stardict.lines);
  const std::string stardictBytes = ReadBytes(dir / "stardict.txt");
  EXPECT_EQ(stardict.report.entriesRead, static_cast<int64_t>(freedict.lines.size()));
  EXPECT_EQ(stardict.lines.size(), freedict.lines.size());
  EXPECT_EQ(stardict.report.dropped.Total(), 0);

  std::set<std::string> starts;
  for (const DictionaryLine& line : freedict.lines) {
    std::string start = line.headword.substr(0, 2);
    std::transform(start.begin(), start.end(), start.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    starts.insert(start);
  }
  int differing = 0;
  auto compare = [&](const std::string& query, bool related) {
    const std::string expected = Shown(lookup::LookupInBytes(freedictBytes, query, related));
    const std::string got = Shown(lookup::LookupInBytes(stardictBytes, query, related));
    if (expected != got && ++differing <= 3)
      ADD_FAILURE() << query << ":\n" << got << "instead of\n" << expected;
  };
  for (const std::string& start : starts) compare(start, false);
  for (const char* query : {"construct", "running", "apples", "runs", "cafe"}) compare(query, true);
  EXPECT_EQ(differing, 0) << "of " << starts.size() + 5 << " lookups";
}

TEST(StardictImportTest, SameLookupsAsTheFreedictFixture) {
  ExpectSameLookupsAsFreedict(import_test::kFixtures + "/freedict.index",
                              import_test::kFixtures + "/freedict.dict.dz");
}

TEST(StardictImportTest, SameLookupsAsTheFreedictData) {
  if (!std::filesystem::exists(kFreedictIndex) || !std::filesystem::exists(kFreedictData))
    GTEST_SKIP() << "Debian's dict-freedict-eng-jpn is not installed";
  ExpectSameLookupsAsFreedict(kFreedictIndex, kFreedictData);
}

}  // namespace
}  // namespace import
