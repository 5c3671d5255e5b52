// The public entry points: one read of the dictionary per call, every word of
// the call matched in that one pass.
#include "lookup.h"

#include "dictionary_file.h"
#include "headword_matcher.h"
#include "lookup_run.h"
#include "query_normalisation.h"

namespace lookup {
namespace {

class MatchedLister : public WordLister {
 public:
  explicit MatchedLister(const HeadwordMatcher& matcher) : matcher_(matcher) {}
  int32_t Count(std::string_view word) override { return matcher_.Count(word); }
  ListFill Fill(std::string_view word) override { return matcher_.Fill(word); }

 private:
  const HeadwordMatcher& matcher_;
};

// The dictionary could not be opened: every list is emptied and left unsized.
class UnopenedLister : public WordLister {
 public:
  int32_t Count(std::string_view) override { return 0; }
  ListFill Fill(std::string_view) override { return ListFill{}; }
};

ListFill ListIn(std::string_view raw, std::string_view word) {
  std::vector<std::string> words{std::string(UpToZeroByte(word))};
  HeadwordMatcher matcher(words);
  matcher.Scan(raw);
  return matcher.Fill(words[0]);
}

LookupResult LookupIn(std::string_view raw, const std::string& query, bool related) {
  HeadwordMatcher matcher(WordsTried(query, related));
  matcher.Scan(raw);
  MatchedLister lister(matcher);
  return RunLookup(query, related, lister);
}

}  // namespace

ListFill ListHeadword(const std::string& path, std::string_view word) {
  std::optional<FileBytes> file = ReadDictionaryFile(path);
  if (!file) return ListFill{};
  return ListIn(file->view(), word);
}

ListFill ListHeadwordInBytes(std::string_view dictionary, std::string_view word) {
  return ListIn(dictionary, word);
}

LookupResult Lookup(const std::string& path, std::string_view query, bool related) {
  std::string normalised = NormaliseQuery(query);
  if (normalised.empty()) return LookupResult{};
  std::optional<FileBytes> file = ReadDictionaryFile(path);
  if (!file) {
    UnopenedLister lister;
    return RunLookup(normalised, related, lister);
  }
  return LookupIn(file->view(), normalised, related);
}

LookupResult LookupInBytes(std::string_view dictionary, std::string_view query, bool related) {
  std::string normalised = NormaliseQuery(query);
  if (normalised.empty()) return LookupResult{};
  return LookupIn(dictionary, normalised, related);
}

}  // namespace lookup
