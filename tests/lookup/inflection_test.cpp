// The inflection fallback: which endings are cut, in which order, and that
// cuts accumulate.
#include <gtest/gtest.h>

#include "tests/support/dictionary_fixture.h"
#include "lookup/inflection.h"

namespace lookup {
namespace {

using fixture::CheckedLookup;
using fixture::Dictionary;
using fixture::Headwords;
using Words = std::vector<std::string>;

TEST(InflectionTest, CutSuffix) {
  struct CutCase {
    std::string word, suffix;
    bool cut;
    std::string after;
  };
  const CutCase cases[] = {
      {"dogs", "s", true, "dog"},      {"boxes", "es", true, "box"},   {"s", "s", false, "s"},
      {"ing", "ing", false, "ing"},    {"xing", "ing", true, "x"},     {"CATS", "s", false, "CATS"},
      {"cat's", "'s", true, "cat"},    {"cats", "'s", false, "cats"},  {"s\r\n", "s", false, "s\r\n"},
  };
  for (const CutCase& c : cases) {
    std::string word = c.word;
    EXPECT_EQ(CutSuffix(word, c.suffix), c.cut) << c.word << " - " << c.suffix;
    EXPECT_EQ(word, c.after);
  }
}

TEST(InflectionTest, Stems) {
  const std::pair<std::string, Words> cases[] = {
      {"dogs", {"dog"}},
      {"boxes", {"box"}},  // "es" comes before "s"
      {"studies", {"stud"}},
      {"happier", {"happ"}},
      {"singer's", {"singer", "sing", "s"}},
      {"carried", {"carr"}},
      {"xingediedsesieserier's", {"xingediedsesieserier", "xingediedsesieser", "xingediedsesies",
                                  "xingediedses", "xingedieds", "xingedied", "xinged", "xing", "x"}},
      {"CATS", {}},
      {"s", {}},
      {"run\r\n", {}},
  };
  for (const auto& [query, stems] : cases) EXPECT_EQ(InflectionStems(query), stems) << query;
}

struct FallbackCase {
  const char* query;
  Words dictionary;
  Words listed;  // headwords in list 0
  int32_t largestCount;
};

// related off: list 0 shows the first try that finds anything, or Unknown.
const FallbackCase kFallbackCases[] = {
    {"dogs", {"dog", "dogma", "cat"}, {"dog", "dogma"}, 2},
    {"boxes", {"box", "boxer"}, {"box", "boxer"}, 2},
    {"played", {"play", "player"}, {"play", "player"}, 2},
    {"player", {"play"}, {"play"}, 1},
    {"studies", {"study", "student"}, {"study", "student"}, 2},
    {"happier", {"happy", "hap"}, {"happy"}, 1},  // "ier" before "er": cut to "happ"
    {"carried", {"cart"}, {"Unknown"}, 0},
    {"singer's", {"singer", "sing"}, {"singer"}, 1},
    {"singer's", {"sing", "song"}, {"sing"}, 1},  // cut to "singer", then to "sing"
    {"singer's", {"sea", "Song"}, {"sea", "Song"}, 2},  // ... then by "ing" to "s"
    {"CATS", {"cat"}, {"Unknown"}, 0},
    {"Cats", {"cat", "CATTLE"}, {"cat", "CATTLE"}, 2},
    {"s", {"sea"}, {"sea"}, 1},
    {"s", {"tea"}, {"Unknown"}, 0},
    {"dogs", {"dogs", "dog"}, {"dogs"}, 1},  // the query itself wins
};

TEST(InflectionTest, Fallback) {
  for (const FallbackCase& c : kFallbackCases) {
    SCOPED_TRACE(c.query);
    LookupResult result = CheckedLookup(Dictionary(c.dictionary), c.query, false);
    ASSERT_TRUE(result.lists[0].has_value());
    EXPECT_EQ(Headwords(*result.lists[0]), c.listed);
    EXPECT_EQ(result.largestCount, c.largestCount);
    EXPECT_EQ(result.listCounter, 1);
    for (int i = 1; i < kListCount; ++i) EXPECT_FALSE(result.lists[i].has_value());
  }
}

TEST(InflectionTest, QueryWithLineEndKeepsIt) {
  LookupResult result = CheckedLookup("run\tx\r\nrun\r\r\n", "run\r\n", false);
  EXPECT_EQ(result.lists[0]->rows, Words{"run\r\n"});  // only the line whose text begins "run" CR LF
}

TEST(InflectionTest, LargestCountIsNotLimited) {
  Words dictionary;
  for (int i = 0; i < 15; ++i) dictionary.push_back("word" + std::to_string(i));
  LookupResult result = CheckedLookup(Dictionary(dictionary), "word", false);
  EXPECT_EQ(result.largestCount, 15);
  EXPECT_EQ(result.WindowHeight(), 190);
}

// The related search starts from the cut that found something, or from the
// last cut: "deals" is cut to "deal", so "real" is tried, not "reals".
TEST(InflectionTest, RelatedSearchStartsFromTheCut) {
  LookupResult result = CheckedLookup(Dictionary({"deal", "realm"}), "deals", true);
  EXPECT_EQ(Headwords(*result.lists[0]), (Words{"deal"}));
  EXPECT_EQ(Headwords(*result.lists[1]), (Words{"realm"}));
  EXPECT_EQ(result.listCounter, 2);

  result = CheckedLookup(Dictionary({"realm"}), "carried", true);  // no prefix in "carr"
  EXPECT_EQ(result.listCounter, 1);
  EXPECT_FALSE(result.lists[1].has_value());
  result = CheckedLookup(Dictionary({"inform"}), "reformed", true);  // cut to "reform", nothing found
  EXPECT_EQ(Headwords(*result.lists[0]), (Words{"Unknown"}));
  EXPECT_EQ(Headwords(*result.lists[1]), (Words{"inform"}));
}

}  // namespace
}  // namespace lookup
