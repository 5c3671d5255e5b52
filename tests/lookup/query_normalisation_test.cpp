// The query a lookup takes: its first 127 bytes, and the trim of one space then one TAB.
#include <gtest/gtest.h>

#include "tests/support/dictionary_fixture.h"
#include "lookup/query_normalisation.h"

namespace lookup {
namespace {

TEST(QueryNormalisationTest, Trim) {
  const std::pair<std::string, std::string> cases[] = {
      {"word", "word"},
      {"word ", "word"},
      {"word\t", "word"},
      {"word\t ", "word"},
      {"word  ", "word "},
      {"word \t", "word "},
      {"word\t\t", "word\t"},
      {" word", " word"},
      {"word\r\n", "word\r\n"},
      {"word\xE3\x80\x80", "word\xE3\x80\x80"},
      {" ", ""},
      {"\t", ""},
      {"\t ", ""},
      {" \t", " "},
      {"", ""},
  };
  for (const auto& [query, normalised] : cases) {
    EXPECT_EQ(NormaliseQuery(query), normalised) << ::testing::PrintToString(query);
  }
}

TEST(QueryNormalisationTest, BufferLimits) {
  const std::string long127(127, 'a');
  const std::pair<std::string, std::string> cases[] = {
      {long127, long127},
      {long127 + "b", long127},
      {std::string(126, 'a') + " b", std::string(126, 'a')},  // cut to 127, then trimmed
      {std::string(300, 'q'), std::string(127, 'q')},
      {std::string("ab\0cd", 5), "ab"},
      {std::string("ab \0cd", 6), "ab"},
      {std::string("\0cd", 3), ""},
  };
  for (const auto& [query, normalised] : cases) {
    EXPECT_EQ(NormaliseQuery(query), normalised) << ::testing::PrintToString(query);
  }
}

// A query that is empty after the trim touches nothing.
TEST(QueryNormalisationTest, EmptyQueryShowsNothing) {
  for (const char* query : {"", " ", "\t", "\t "}) {
    LookupResult result = fixture::CheckedLookup("a\tx\r\n", query, true);
    EXPECT_FALSE(result.shown);
    for (const auto& list : result.lists) EXPECT_FALSE(list.has_value());
  }
}

// A space followed by a TAB leaves one space, which is looked up.
TEST(QueryNormalisationTest, TrimmedQueryIsLookedUp) {
  LookupResult result = fixture::CheckedLookup(" x\ta\r\nword \tb\r\n", " \t", false);
  EXPECT_TRUE(result.shown);
  EXPECT_EQ(fixture::Headwords(*result.lists[0]), std::vector<std::string>{" x"});
  result = fixture::CheckedLookup("word\ta\r\nword \tb\r\n", "word  ", false);
  EXPECT_EQ(fixture::Headwords(*result.lists[0]), std::vector<std::string>{"word "});
}

}  // namespace
}  // namespace lookup
