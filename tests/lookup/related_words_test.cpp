// The related-word search: prefix groups, the order of candidates, the list
// counter, lists reused by failed candidates and the stop after four lists.
#include <gtest/gtest.h>

#include "tests/support/dictionary_fixture.h"
#include "lookup/related_words.h"

namespace lookup {
namespace {

using fixture::CheckedLookup;
using fixture::Dictionary;
using fixture::Headwords;
using Words = std::vector<std::string>;

TEST(RelatedWordsTest, Candidates) {
  const std::pair<std::string, Words> cases[] = {
      {"inform", {"conform", "comform", "deform", "subform", "susform", "reform"}},
      {"impose", {"conpose", "compose", "depose", "subpose", "suspose", "repose"}},
      {"construct", {"instruct", "imstruct", "destruct", "substruct", "susstruct", "restruct"}},
      {"compress", {"inpress", "impress", "depress", "subpress", "suspress", "repress"}},
      {"deform", {"inform", "imform", "conform", "comform", "reform"}},
      {"subtract", {"intract", "imtract", "contract", "comtract", "retract"}},
      {"suspend", {"inpend", "impend", "conpend", "compend", "repend"}},
      {"review", {"inview", "imview", "conview", "comview", "deview", "susview", "subview"}},
      {"inx", {"conx", "comx", "dex", "subx", "susx", "rex"}},
      {"in", {}},
      {"re", {}},
      {"con", {}},
      {"Inform", {}},
      {"INFORM", {}},
      {"transform", {}},
      {"", {}},
  };
  for (const auto& [word, candidates] : cases) EXPECT_EQ(RelatedCandidates(word), candidates) << word;
}

TEST(RelatedWordsTest, ConstructFillsListsInOrderFound) {
  LookupResult result =
      CheckedLookup(Dictionary({"construct", "construction", "instruct", "destruct"}), "construct", true);
  EXPECT_EQ(Headwords(*result.lists[0]), (Words{"construct", "construction"}));
  EXPECT_EQ(Headwords(*result.lists[1]), (Words{"instruct"}));
  EXPECT_EQ(Headwords(*result.lists[2]), (Words{"destruct"}));   // after "imstruct" failed there
  EXPECT_EQ(Headwords(*result.lists[3]), (Words{"Unknown"}));    // "restruct" failed there last
  EXPECT_FALSE(result.lists[4].has_value());
  EXPECT_EQ(result.listCounter, 3);
  EXPECT_EQ(result.WindowWidth(), 627);
  EXPECT_EQ(result.WindowHeight(), 12 * 2 + 70);
}

TEST(RelatedWordsTest, FourHitsEndTheSearch) {
  LookupResult result =
      CheckedLookup(Dictionary({"inform", "conform", "comform", "deform", "subform", "reform"}), "inform", true);
  EXPECT_EQ(Headwords(*result.lists[1]), (Words{"conform"}));
  EXPECT_EQ(Headwords(*result.lists[2]), (Words{"comform"}));
  EXPECT_EQ(Headwords(*result.lists[3]), (Words{"deform"}));
  EXPECT_EQ(Headwords(*result.lists[4]), (Words{"subform"}));  // "reform" is never tried
  EXPECT_EQ(result.listCounter, 5);
  EXPECT_EQ(result.WindowWidth(), 1045);
}

TEST(RelatedWordsTest, SusBeforeSubInGroupEight) {
  LookupResult result = CheckedLookup(Dictionary({"review", "subview", "susview"}), "review", true);
  EXPECT_EQ(Headwords(*result.lists[1]), (Words{"susview"}));
  EXPECT_EQ(Headwords(*result.lists[2]), (Words{"subview"}));
  EXPECT_EQ(result.listCounter, 3);
}

TEST(RelatedWordsTest, SearchRunsWhenNothingWasFound) {
  LookupResult result = CheckedLookup(Dictionary({"inspect"}), "respect", true);
  EXPECT_EQ(Headwords(*result.lists[0]), (Words{"Unknown"}));
  EXPECT_EQ(Headwords(*result.lists[1]), (Words{"inspect"}));
  EXPECT_EQ(result.largestCount, 1);
}

TEST(RelatedWordsTest, PrefixTestIsCaseSensitive) {
  for (const char* query : {"Inform", "INFORM", "in", "re", "con"}) {
    LookupResult result = CheckedLookup(Dictionary({"conform", "inform", "rebel", "concord"}), query, true);
    EXPECT_EQ(result.listCounter, 1) << query;
    for (int i = 1; i < kListCount; ++i) EXPECT_FALSE(result.lists[i].has_value()) << query;
  }
}

TEST(RelatedWordsTest, RelatedWordRaisesTheLargestCount) {
  Words dictionary{"inform", "informal"};
  for (int i = 0; i < 8; ++i) dictionary.push_back("deform" + std::to_string(i));
  LookupResult result = CheckedLookup(Dictionary(dictionary), "inform", true);
  EXPECT_EQ(result.lists[0]->count, 2);
  EXPECT_EQ(result.largestCount, 8);
  EXPECT_EQ(result.WindowHeight(), 166);
}

}  // namespace
}  // namespace lookup
