// Queries and candidates longer than a lookup takes, and a dictionary that
// can't be read to its end.
#include <gtest/gtest.h>

#include "tests/support/dictionary_fixture.h"
#include "tests/support/reference_lookup.h"
#include "lookup/related_words.h"

namespace lookup {
namespace {

using fixture::CheckedLookup;
using fixture::Dictionary;
using fixture::Headwords;
using fixture::TempDictionary;
using Words = std::vector<std::string>;

// A query longer than 127 bytes is looked up by its first 127.
TEST(QueryLimit, LongQueryUsesItsFirst127Bytes) {
  const std::string head(127, 'a');
  LookupResult result = CheckedLookup(Dictionary({head + "b", head + "c", "a"}), head + "bcdef", false);
  EXPECT_EQ(Headwords(*result.lists[0]), (Words{head + "b", head + "c"}));

  // The cut comes before the trim: byte 127 is a space that the trim then takes.
  result = CheckedLookup(Dictionary({std::string(126, 'x') + "y"}), std::string(126, 'x') + " zzz", false);
  EXPECT_EQ(Headwords(*result.lists[0]), (Words{std::string(126, 'x') + "y"}));
}

// A candidate longer than 127 bytes is not tried: a 127-byte query whose
// two-letter prefix "in" is exchanged for "con" or "com" (or "sub", "sus")
// gives 128 bytes. Cut to 127 bytes, they would find the lines below.
TEST(CandidateLimit, CandidateOver127BytesIsNotTried) {
  const std::string stem(125, 'p');
  const std::string query = "in" + stem;  // 127 bytes
  Words dictionary{"con" + stem.substr(0, 124) + "x", "de" + stem, "sub" + stem.substr(0, 124) + "x"};
  LookupResult result = CheckedLookup(Dictionary(dictionary), query, true);
  EXPECT_EQ(Headwords(*result.lists[1]), (Words{"de" + stem}));
  EXPECT_EQ(Headwords(*result.lists[2]), (Words{"Unknown"}));  // "re" + stem, tried last
  EXPECT_EQ(result.listCounter, 2);
  EXPECT_FALSE(result.lists[3].has_value());
}

// Which candidates of a 127-byte query fit, per prefix group; the literal
// reference tries exactly those (one pass each after the query's own).
TEST(CandidateLimit, CandidatesOfA127ByteQueryThatFit) {
  const std::pair<std::string, size_t> cases[] = {
      {"in", 2}, {"im", 2}, {"con", 6}, {"com", 6}, {"de", 3}, {"sub", 5}, {"sus", 5}, {"re", 3},
  };
  for (const auto& [prefix, fitting] : cases) {
    const std::string query = prefix + std::string(127 - prefix.size(), 'q');
    EXPECT_EQ(RelatedCandidates(query).size(), fitting) << prefix;
    int passes = 0;
    LookupResult result = reference::LookupInBytes("", query, true, &passes);
    EXPECT_EQ(passes, static_cast<int>(1 + fitting)) << prefix;
    EXPECT_EQ(result, CheckedLookup("", query, true)) << prefix;
  }
}

// A read error is not the end of the file: the scan ends there and does not
// wait for an end that never comes. A directory opens on Linux but can't be read.
TEST(ReadError, EndsTheScan) {
  TempDictionary file("cat\tx\r\n");
  for (const auto& list : {ListHeadword(file.directory(), "cat"), reference::ListHeadword(file.directory(), "cat")}) {
    EXPECT_TRUE(list.opened);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.rows, Words{"Unknown"});
  }
  LookupResult result = Lookup(file.directory(), "cats", true);
  EXPECT_EQ(result, reference::Lookup(file.directory(), "cats", true));
  EXPECT_EQ(result.largestCount, 0);
}

}  // namespace
}  // namespace lookup
