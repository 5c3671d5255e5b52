// Words copied with their punctuation: what the strip takes off, and the
// second try of a lookup that found nothing as given.
#include "lookup/punctuation.h"

#include <gtest/gtest.h>

#include "tests/support/dictionary_fixture.h"
#include "tests/support/reference_lookup.h"
#include "tests/support/reference_punctuation.h"

namespace lookup {
namespace {

using fixture::CheckedLookup;
using fixture::Dictionary;
using fixture::Headwords;
using Words = std::vector<std::string>;

// Code page 932 characters used below.
#define LDQUO "\x81\x67"                           // “
#define RDQUO "\x81\x68"                           // ”
#define LSQUO "\x81\x65"                           // ‘
#define RSQUO "\x81\x66"                           // ’
#define LCORNER "\x81\x75"                         // 「
#define RCORNER "\x81\x76"                         // 」
#define CHOONPU "\x81\x5B"                         // ー, its trail byte is '['
#define KATA_ZO "\x83\x5D"                         // ゾ, its trail byte is ']'
#define KATA_BO "\x83\x7B"                         // ボ, its trail byte is '{'
#define KATA_MA "\x83\x7D"                         // マ, its trail byte is '}'
#define COFFEE "\x83\x52\x81\x5B\x83\x71\x81\x5B"  // コーヒー

TEST(PunctuationTest, StripsBothEnds) {
  const std::pair<const char*, const char*> cases[] = {
      {"Reviews,", "Reviews"},
      {"(see", "see"},
      {"end.", "end"},
      {"\"quoted\"", "quoted"},
      {"'tis", "tis"},
      {"[x]", "x"},
      {"{x}", "x"},
      {"<x>", "x"},
      {"x;", "x"},
      {"x:", "x"},
      {"x!?", "x"},
      {"--x--", "x"},
      {"(word),", "word"},
      {"e.g.", "e.g"},  // inside stays
      {"well-known.", "well-known"},
      {"don't", "don't"},
      {"word", "word"},
      {"word ,", "word"},
      {"word,\r\n", "word"},
      {" apple", "apple"},
      {"\tapple\r\n", "apple"},
      {"\x81\x40" "apple" "\x81\x40", "apple"},  // full-width spaces
      {"*fatal*", "fatal"},
      {"_Cheap_", "Cheap"},
      {"`word`,", "word"},
      {"snake_case", "snake_case"},  // inside stays
      {"look after\r\n", "look after"},
      {LDQUO "quoted" RDQUO, "quoted"},
      {LSQUO "single" RSQUO, "single"},
      {"dogs" RSQUO, "dogs"},
      {LCORNER "x" RCORNER, "x"},
      {"\x81\x69x\x81\x6A", "x"},          // （x）
      {"x\x81\x41", "x"},                  // x、
      {"x\x81\x42", "x"},                  // x。
      {"x\x81\x49\x81\x48\x81\x46", "x"},  // x！？：
      {"\xFA\x57x\xFA\x56", "x"},          // ＂x＇
      {"\x81\x5C"
       "x\x81\x5D",
       "x"},                   // ―x‐
      {"x\x81\x63", "x"},      // x…
      {"\xA2x\xA3\xA1", "x"},  // half-width ｢x｣｡
  };
  for (const auto& [word, stripped] : cases) {
    EXPECT_EQ(StripPunctuation(word), stripped) << word;
    EXPECT_EQ(reference::StripPunctuation(word), stripped) << word;
  }
}

TEST(PunctuationTest, TypographicApostropheInsideReadsAsAscii) {
  const std::pair<const char*, const char*> cases[] = {
      {"it" RSQUO "s", "it's"},
      {LDQUO "children" RSQUO "s" RDQUO ",", "children's"},
      {"rock" RSQUO "n" RSQUO "roll", "rock'n'roll"},
      {"it" LSQUO "s", "it" LSQUO "s"},  // an opening quote is no apostrophe
  };
  for (const auto& [word, stripped] : cases) {
    EXPECT_EQ(StripPunctuation(word), stripped) << word;
    EXPECT_EQ(reference::StripPunctuation(word), stripped) << word;
  }
}

TEST(PunctuationTest, OnlyPunctuationStaysAsItIs) {
  for (const char* word : {"...", "-", "--", "\"\"", LDQUO RDQUO, "(" RSQUO ")", "!", " \r\n", "*_`", "\x81\x40"}) {
    EXPECT_EQ(StripPunctuation(word), word);
    EXPECT_EQ(reference::StripPunctuation(word), word);
  }
}

// A trail byte can equal '[' ']' '{' '}': taking it off would leave half a
// character. The text is read by characters from its start.
TEST(PunctuationTest, NeverSplitsADoubleByteCharacter) {
  const std::pair<const char*, const char*> cases[] = {
      {COFFEE, COFFEE},
      {"(" COFFEE ")", COFFEE},
      {"[" COFFEE "]", COFFEE},
      {KATA_ZO, KATA_ZO},
      {"x" KATA_ZO "]", "x" KATA_ZO},
      {KATA_BO, KATA_BO},
      {"{" KATA_BO KATA_MA "}", KATA_BO KATA_MA},
      {"\x81\x5D\x81\x5D"
       "x",
       "x"},               // ‐‐x: the whole dashes go, ']' is no character here
      {"x\x81", "x\x81"},  // a lead byte cut off from its trail stays
      {"(x\x81", "x\x81"},
      {"\x81]", "\x81]"},  // a lead byte and the byte after it are one character
  };
  for (const auto& [word, stripped] : cases) {
    EXPECT_EQ(StripPunctuation(word), stripped) << word;
    EXPECT_EQ(reference::StripPunctuation(word), stripped) << word;
  }
}

// A query that finds anything as given keeps exactly that result, though
// its stripped form would find more or other lines.
TEST(PunctuationLookupTest, FoundAsGivenStaysAsItIs) {
  const std::string dictionary = Dictionary({"end", "end.", "ends", "e.g.", "Cats."});
  struct Case {
    const char* query;
    bool related;
  } const cases[] = {{"end.", false}, {"e.g.", true}, {"Cats.", false}};
  for (const Case& c : cases) {
    LookupResult result = CheckedLookup(dictionary, c.query, c.related);
    EXPECT_EQ(result, reference::LookupInBytes(dictionary, c.query, c.related)) << c.query;
  }
  EXPECT_EQ(Headwords(*CheckedLookup(dictionary, "end.", false).lists[0]), (Words{"end."}));

  // A related word found is something found: "inform." finds "conform." in
  // list 1, so "inform" is not tried, though the dictionary has it.
  const std::string related = Dictionary({"inform", "conform."});
  LookupResult result = CheckedLookup(related, "inform.", true);
  EXPECT_EQ(result, reference::LookupInBytes(related, "inform.", true));
  EXPECT_EQ(Headwords(*result.lists[0]), (Words{"Unknown"}));
  EXPECT_EQ(Headwords(*result.lists[1]), (Words{"conform."}));
}

// Nothing found as given: the result is exactly that of a lookup of the
// stripped word, inflection fallback and related words included.
TEST(PunctuationLookupTest, FoundNothingTriesTheStrippedWord) {
  const std::string dictionary =
      Dictionary({"review", "see", "it", "children", "quoted", "conform", "dog", "word"});
  struct Case {
    const char* query;
    const char* stripped;
    bool related;
    Words list0;
  } const cases[] = {
      {"Reviews,", "Reviews", false, {"review"}},
      {"(see", "see", false, {"see"}},
      {LDQUO "quoted" RDQUO, "quoted", false, {"quoted"}},
      {"it" RSQUO "s", "it's", false, {"it"}},  // through the ending 's
      {"children" RSQUO "s.", "children's", false, {"children"}},
      {"dogs" RSQUO, "dogs", false, {"dog"}},
      {"(inform)", "inform", true, {"Unknown"}},  // the related search runs on the stripped word
      {"word.\t ", "word", false, {"word"}},      // trimmed first, then stripped
      {"word,\r\n", "word", false, {"word"}},     // a spreadsheet cell
      {"  *word*", "word", false, {"word"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    LookupResult result = CheckedLookup(dictionary, c.query, c.related);
    EXPECT_EQ(result, reference::LookupInBytes(dictionary, c.stripped, c.related));
    EXPECT_EQ(Headwords(*result.lists[0]), c.list0);
  }
  EXPECT_EQ(Headwords(*CheckedLookup(dictionary, "(inform)", true).lists[1]), (Words{"conform"}));
}

// What stays "Unknown": punctuation and blanks alone, and a word the
// stripped form doesn't find either.
TEST(PunctuationLookupTest, NothingToStripOrNothingFound) {
  const std::string dictionary = Dictionary({"word"});
  for (const char* query : {"...", "(none)", "( )", "(\t )", " \r\n", "*none*"}) {
    LookupResult result = CheckedLookup(dictionary, query, true);
    EXPECT_EQ(result, reference::LookupInBytes(dictionary, query, true)) << query;
    EXPECT_EQ(result.largestCount, 0) << query;
  }
  // The dictionary can't be read: the lists are emptied as for the query as given.
  fixture::TempDictionary directory("");
  const std::string missing = directory.directory() + "/missing.txt";
  LookupResult result = Lookup(missing, "(informs)", true);
  EXPECT_EQ(result, reference::Lookup(missing, "(informs)", true));
  EXPECT_FALSE(result.lists[1].has_value());  // "(informs)" has no prefix to exchange
}

// The strip works on the query as looked up, its first 127 bytes trimmed,
// not on the whole text copied (which the edit box keeps).
TEST(PunctuationLookupTest, LongQueryIsStrippedAfterTheCut) {
  const std::string head(126, 'a');
  const std::string dictionary = Dictionary({head + "b", head + "c"});
  // Cut to "(" + head: stripped, head finds both lines. Stripping the copied
  // text first would cut to head + "b" and find one.
  LookupResult result = CheckedLookup(dictionary, "(" + head + "bcd)", false);
  EXPECT_EQ(Headwords(*result.lists[0]), (Words{head + "b", head + "c"}));

  // The cut leaves the lead byte of ” alone at the end: half a character is
  // no punctuation, so only “ is stripped, and that finds nothing.
  const std::string cutQuote = LDQUO + std::string(124, 'a') + RDQUO;  // 128 bytes
  result = CheckedLookup(Dictionary({std::string(124, 'a')}), cutQuote, false);
  EXPECT_EQ(Headwords(*result.lists[0]), (Words{"Unknown"}));
  // ...whereas one byte shorter the whole ” fits and is stripped.
  result = CheckedLookup(Dictionary({std::string(123, 'a')}), LDQUO + std::string(123, 'a') + RDQUO, false);
  EXPECT_EQ(Headwords(*result.lists[0]), (Words{std::string(123, 'a')}));
}

}  // namespace
}  // namespace lookup
