#include "lookup/lookup_run.h"

#include <algorithm>
#include <array>
#include <optional>

#include "lookup/inflection.h"
#include "lookup/related_words.h"

namespace lookup {
namespace {

// Related words fill lists 1 to 4; the search ends once all are in use.
constexpr int32_t kLastRelatedList = kListCount - 1;

}  // namespace

LookupPlan PlanLookup(const std::string& query, bool related) {
  LookupPlan plan;
  plan.chain.push_back(query);
  for (std::string& stem : InflectionStems(query)) plan.chain.push_back(std::move(stem));
  if (related) {
    for (const std::string& word : plan.chain) plan.candidates.push_back(RelatedCandidates(word));
  }
  return plan;
}

std::vector<std::string> LookupPlan::Words() const {
  std::vector<std::string> words = chain;
  for (const std::vector<std::string>& list : candidates) words.insert(words.end(), list.begin(), list.end());
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  return words;
}

LookupFeeds RunLookup(const LookupPlan& plan, WordLister& lister) {
  LookupFeeds result;
  result.shown = true;
  // A list shows what the last word listed into it found.
  std::array<const std::string*, kListCount> lastWord{};
  auto list = [&](const std::string& word, int32_t listIndex) {
    lastWord[listIndex] = &word;
    const int32_t count = lister.Count(word);
    result.largestCount = std::max(result.largestCount, count);
    return count;
  };

  // Each cut stays, so the related search starts from the word the chain stopped at.
  size_t stop = 0;
  while (list(plan.chain[stop], 0) == 0 && stop + 1 < plan.chain.size()) ++stop;

  if (stop < plan.candidates.size()) {
    for (const std::string& candidate : plan.candidates[stop]) {
      // A candidate that finds nothing leaves its list to the next one.
      if (list(candidate, result.listCounter) != 0) ++result.listCounter;
      if (result.listCounter > kLastRelatedList) break;
    }
  }

  for (int32_t i = 0; i < kListCount; ++i) {
    if (lastWord[i]) result.lists[i] = lister.Feed(*lastWord[i]);
  }
  return result;
}

}  // namespace lookup
