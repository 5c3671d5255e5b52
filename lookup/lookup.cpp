// The public entry points: one read of the dictionary per call, every word of
// the call matched in that one pass.
#include "lookup/lookup.h"

#include <memory>

#include "dictionary/byte_source.h"
#include "dictionary/read_only_file.h"
#include "lookup/headword_matcher.h"
#include "lookup/lookup_from_source.h"
#include "lookup/lookup_run.h"
#include "lookup/query_normalisation.h"

namespace lookup {

LookupFeeds ScannedLookup(const RetryPlan& plan, dictionary::ByteSource& source) {
  const auto matcher = std::make_shared<HeadwordMatcher>(plan.Words());
  matcher->Scan(source);
  MatchedLister lister(matcher);
  return RunLookupWithRetry(plan, lister);
}

LookupFeeds UnreadableLookup(const RetryPlan& plan) {
  UnopenedLister lister;
  return RunLookup(plan.asGiven, lister);
}

ListFill ListHeadwordFrom(dictionary::ByteSource& source, std::string_view word) {
  std::vector<std::string> words{std::string(UpToZeroByte(word))};
  const auto matcher = std::make_shared<HeadwordMatcher>(words);
  matcher->Scan(source);
  return Drained(HeadwordMatcher::Feed(matcher, words[0]));
}

LookupResult LookupFrom(dictionary::ByteSource& source, std::string_view query, bool related) {
  const std::string normalised = NormaliseQuery(query);
  if (normalised.empty()) return LookupResult{};
  // Text copied with its punctuation that finds nothing is tried again without it.
  return Drained(ScannedLookup(PlanLookupWithRetry(normalised, related), source));
}

ListFill ListHeadword(const std::string& path, std::string_view word) {
  const std::unique_ptr<dictionary::ReadOnlyFile> file = dictionary::NativeReadOnlyFiles().Open(path);
  if (!file) return ListFill{};
  return ListHeadwordFrom(*file, word);
}

ListFill ListHeadwordInBytes(std::string_view dictionary, std::string_view word) {
  dictionary::MemorySource memory(dictionary);
  return ListHeadwordFrom(memory, word);
}

LookupResult Lookup(const std::string& path, std::string_view query, bool related) {
  const std::string normalised = NormaliseQuery(query);
  if (normalised.empty()) return LookupResult{};  // the file is not even opened
  const RetryPlan plan = PlanLookupWithRetry(normalised, related);
  const std::unique_ptr<dictionary::ReadOnlyFile> file = dictionary::NativeReadOnlyFiles().Open(path);
  return Drained(file ? ScannedLookup(plan, *file) : UnreadableLookup(plan));
}

LookupResult LookupInBytes(std::string_view dictionary, std::string_view query, bool related) {
  dictionary::MemorySource memory(dictionary);
  return LookupFrom(memory, query, related);
}

}  // namespace lookup
