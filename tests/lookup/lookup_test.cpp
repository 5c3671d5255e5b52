// A whole lookup: which lists are touched, and the size of the window.
#include <gtest/gtest.h>

#include "tests/support/dictionary_fixture.h"

namespace lookup {
namespace {

using fixture::CheckedLookup;
using fixture::Dictionary;
using fixture::Headwords;
using fixture::TempDictionary;
using Words = std::vector<std::string>;

// Which lists a lookup touches, and the list counter: with the check box
// cleared only list 0; otherwise the lists used and the one a failed
// candidate used last. Lists beyond are left as an earlier lookup left them.
TEST(LookupTest, TouchedLists) {
  struct TouchCase {
    const char* query;
    bool related;
    Words dictionary;
    std::vector<bool> touched;
    int32_t listCounter;
  };
  const TouchCase cases[] = {
      {"inform", false, {"conform", "deform"}, {true, false, false, false, false}, 1},
      {"cat", true, {"cat"}, {true, false, false, false, false}, 1},  // no prefix: no candidate
      {"inform", true, {}, {true, true, false, false, false}, 1},     // all six failed in list 1
      {"inform", true, {"reform"}, {true, true, false, false, false}, 2},  // the last one found it
      {"inform", true, {"conform"}, {true, true, true, false, false}, 2},
      {"review", true, {"inview", "imview", "conview"}, {true, true, true, true, true}, 4},
      {"review", true, {"inview", "imview", "conview", "comview"}, {true, true, true, true, true}, 5},
      {"subway", true, {"inway", "reway"}, {true, true, true, false, false}, 3},
  };
  for (const TouchCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.query << " related=" << c.related);
    LookupResult result = CheckedLookup(Dictionary(c.dictionary), c.query, c.related);
    EXPECT_TRUE(result.shown);
    for (int i = 0; i < kListCount; ++i) EXPECT_EQ(result.lists[i].has_value(), c.touched[i]) << "list " << i;
    EXPECT_EQ(result.listCounter, c.listCounter);
    EXPECT_EQ(result.WindowWidth(), 209 * c.listCounter);
  }
}

TEST(LookupTest, WindowHeight) {
  const std::pair<int, int32_t> cases[] = {{0, 82}, {1, 82}, {2, 94}, {10, 190}, {11, 190}, {40, 190}};
  for (auto [lines, height] : cases) {
    Words dictionary;
    for (int i = 0; i < lines; ++i) dictionary.push_back("word" + std::to_string(i));
    LookupResult result = CheckedLookup(Dictionary(dictionary), "word", false);
    EXPECT_EQ(result.largestCount, lines);
    EXPECT_EQ(result.WindowHeight(), height) << lines;
    EXPECT_EQ(result.WindowWidth(), 209);
  }
}

// The missing file: each try still happens (cuts included), every list
// touched is emptied and left unsized, and the window is the smallest.
TEST(LookupTest, MissingDictionary) {
  TempDictionary directory("");
  std::string missing = directory.directory() + "/missing.txt";
  LookupResult result = Lookup(missing, "informs", true);
  EXPECT_TRUE(result.shown);
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(result.lists[i].has_value());
    EXPECT_FALSE(result.lists[i]->opened);
    EXPECT_TRUE(result.lists[i]->rows.empty());
  }
  EXPECT_FALSE(result.lists[2].has_value());
  EXPECT_EQ(result.listCounter, 1);
  EXPECT_EQ(result.WindowWidth(), 209);
  EXPECT_EQ(result.WindowHeight(), 82);
}

TEST(LookupTest, RowsKeepFileOrderAndBytes) {
  const std::string dictionary =
      "run\t\x91\x96\x82\xE9;\x8C\xC3\r\n"  // cut at ';'
      "Runner\t\x91\x96\x8E\xE8\r\n"
      "rung\tstep\r";  // last line ends with a lone CR
  LookupResult result = CheckedLookup(dictionary, "run", false);
  EXPECT_EQ(result.lists[0]->rows, (Words{"run\t\x91\x96\x82\xE9", "Runner\t\x91\x96\x8E\xE8\n", "rung\tstep\r"}));
}

}  // namespace
}  // namespace lookup
