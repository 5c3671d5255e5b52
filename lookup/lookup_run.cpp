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

std::vector<std::string> WordsTried(const std::string& query, bool related) {
  std::vector<std::string> chain{query};
  for (std::string& stem : InflectionStems(query)) chain.push_back(std::move(stem));
  std::vector<std::string> words = chain;
  if (related) {
    // The related search starts from wherever the fallback stopped.
    for (const std::string& word : chain) {
      for (std::string& candidate : RelatedCandidates(word)) words.push_back(std::move(candidate));
    }
  }
  return words;
}

LookupResult RunLookup(const std::string& query, bool related, WordLister& lister) {
  LookupResult result;
  result.shown = true;
  // A list shows what the last word listed into it found.
  std::array<std::optional<std::string>, kListCount> lastWord;
  auto list = [&](const std::string& word, int32_t listIndex) {
    lastWord[listIndex] = word;
    int32_t count = lister.Count(word);
    result.largestCount = std::max(result.largestCount, count);
    return count;
  };

  std::string buffer = query;
  int32_t count = list(buffer, 0);
  for (std::string_view suffix : kInflectionSuffixes) {
    if (count != 0) break;
    if (CutSuffix(buffer, suffix)) count = list(buffer, 0);
  }

  if (related) {
    for (const std::string& candidate : RelatedCandidates(buffer)) {
      // A candidate that finds nothing leaves its list to the next one.
      if (list(candidate, result.listCounter) != 0) ++result.listCounter;
      if (result.listCounter > kLastRelatedList) break;
    }
  }

  for (int32_t i = 0; i < kListCount; ++i) {
    if (lastWord[i]) result.lists[i] = lister.Fill(*lastWord[i]);
  }
  return result;
}

}  // namespace lookup
