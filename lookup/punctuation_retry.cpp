#include "lookup/punctuation_retry.h"

#include <algorithm>

#include "lookup/punctuation.h"
#include "lookup/query_normalisation.h"

namespace lookup {

RetryPlan PlanLookupWithRetry(const std::string& query, bool related) {
  RetryPlan plan{PlanLookup(query, related), std::nullopt};
  const std::string stripped = StripPunctuation(query);
  if (stripped == query) return plan;
  // Looked up as if copied that way, so its own trailing blank is trimmed too.
  const std::string normalised = NormaliseQuery(stripped);
  if (!normalised.empty()) plan.stripped = PlanLookup(normalised, related);
  return plan;
}

std::vector<std::string> RetryPlan::Words() const {
  std::vector<std::string> words = asGiven.Words();
  if (!stripped) return words;
  const std::vector<std::string> more = stripped->Words();
  words.insert(words.end(), more.begin(), more.end());
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  return words;
}

LookupFeeds RunLookupWithRetry(const RetryPlan& plan, WordLister& lister) {
  LookupFeeds result = RunLookup(plan.asGiven, lister);
  const bool foundNothing = result.largestCount == 0 && result.lists[0] && result.lists[0]->opened;
  if (foundNothing && plan.stripped) return RunLookup(*plan.stripped, lister);
  return result;
}

}  // namespace lookup
