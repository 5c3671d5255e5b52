// The public entry points: one read of the dictionary per call, every word of
// the call matched in that one pass.
#include "lookup/lookup.h"

#include "dictionary/byte_source.h"
#include "lookup/headword_matcher.h"
#include "lookup/lookup_from_source.h"
#include "lookup/lookup_run.h"
#include "lookup/punctuation_retry.h"
#include "lookup/query_normalisation.h"

namespace lookup {
namespace {

LookupResult LookupNormalised(dictionary::ByteSource& source, const std::string& query, bool related) {
  // Text copied with its punctuation that finds nothing is tried again without it.
  const RetryPlan plan = PlanLookupWithRetry(query, related);
  HeadwordMatcher matcher(plan.Words());
  matcher.Scan(source);
  MatchedLister lister(matcher);
  return RunLookupWithRetry(plan, lister);
}

}  // namespace

ListFill ListHeadwordFrom(dictionary::ByteSource& source, std::string_view word) {
  std::vector<std::string> words{std::string(UpToZeroByte(word))};
  HeadwordMatcher matcher(words);
  matcher.Scan(source);
  return matcher.Fill(words[0]);
}

LookupResult LookupFrom(dictionary::ByteSource& source, std::string_view query, bool related) {
  std::string normalised = NormaliseQuery(query);
  if (normalised.empty()) return LookupResult{};
  return LookupNormalised(source, normalised, related);
}

ListFill ListHeadword(const std::string& path, std::string_view word) {
  dictionary::FileSource file(path);
  if (!file.opened()) return ListFill{};
  return ListHeadwordFrom(file, word);
}

ListFill ListHeadwordInBytes(std::string_view dictionary, std::string_view word) {
  dictionary::MemorySource memory(dictionary);
  return ListHeadwordFrom(memory, word);
}

LookupResult Lookup(const std::string& path, std::string_view query, bool related) {
  std::string normalised = NormaliseQuery(query);
  if (normalised.empty()) return LookupResult{};  // the file is not even opened
  dictionary::FileSource file(path);
  if (!file.opened()) {
    UnopenedLister lister;
    return RunLookup(PlanLookup(normalised, related), lister);
  }
  return LookupNormalised(file, normalised, related);
}

LookupResult LookupInBytes(std::string_view dictionary, std::string_view query, bool related) {
  dictionary::MemorySource memory(dictionary);
  return LookupFrom(memory, query, related);
}

}  // namespace lookup
