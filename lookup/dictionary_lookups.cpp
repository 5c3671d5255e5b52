#include "lookup/dictionary_lookups.h"

#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "dictionary/dictionary_line.h"
#include "dictionary/pieces_at.h"
#include "dictionary/text_mode_reader.h"
#include "lookup/headword_matcher.h"
#include "lookup/lookup_from_source.h"
#include "lookup/lookup_run.h"
#include "lookup/punctuation_retry.h"
#include "lookup/query_normalisation.h"

namespace lookup {
namespace {

// Lists words through the index, reading only the pieces it shows (and a few
// the index needs) from the file the index was made from.
class KeptLister : public WordLister {
 public:
  KeptLister(DictionaryIndex& index, dictionary::ReadOnlyFile& file) : index_(index), file_(file) {}

  int32_t Count(std::string_view word) override { return Find(word).Count(); }

  ListFill Fill(std::string_view word) override {
    ListFill fill;
    fill.opened = true;
    const std::vector<uint32_t> offsets = index_.Offsets(Find(word));
    fill.rows.reserve(offsets.size() + 1);
    dictionary::ForEachPieceAt(file_, offsets, 0,
                               [&](size_t, std::string_view text) { fill.AddMatch(text); });
    fill.EndMatches();
    return fill;
  }

 private:
  DictionaryIndex::Range Find(std::string_view word) {
    // A word that holds the TAB ending a headword is never the beginning of one.
    if (dictionary::HeadwordEnd(word) != std::string_view::npos) return {};
    auto found = found_.find(word);
    if (found == found_.end()) {
      const std::string folded = dictionary::FoldedText(word);
      found = found_.emplace(std::string(word), index_.Find(folded, file_)).first;
    }
    return found->second;
  }

  DictionaryIndex& index_;
  dictionary::ReadOnlyFile& file_;
  std::map<std::string, DictionaryIndex::Range, std::less<>> found_;
};

// Words the index can't find: empty ones, and longer ones than a lookup tries.
bool Indexable(const std::vector<std::string>& words) {
  return std::all_of(words.begin(), words.end(), [](const std::string& word) {
    return !word.empty() && word.size() <= DictionaryIndex::kLongestWord;
  });
}

}  // namespace

DictionaryLookups::DictionaryLookups(std::string path, dictionary::ReadOnlyFiles& files, KeepLimits limits)
    : path_(std::move(path)), files_(files), limits_(limits) {}

LookupResult DictionaryLookups::Lookup(std::string_view query, bool related) {
  const std::string normalised = NormaliseQuery(query);
  if (normalised.empty()) return LookupResult{};  // the file is not even opened
  // Text copied with its punctuation that finds nothing is tried again without it.
  const RetryPlan plan = PlanLookupWithRetry(normalised, related);
  const std::vector<std::string> words = plan.Words();

  const dictionary::FileTime readAt = files_.Now();
  const std::unique_ptr<dictionary::ReadOnlyFile> file = files_.Open(path_);
  if (!file) {
    kept_.reset();
    LookupResult result = UnreadableLookup(plan);
    result.unreadable = files_.LastOpenError();
    return result;
  }
  if (kept_ && dictionary::StillAsRead(kept_->read, file->Stamp())) {
    if (!kept_->index || !Indexable(words)) return ScannedLookup(plan, *file);
    KeptLister lister(*kept_->index, *file);
    return RunLookupWithRetry(plan, lister);
  }

  kept_.reset();
  const dictionary::FileRead read{file->Stamp(), readAt};
  if (!dictionary::MayKeep(read)) return ScannedLookup(plan, *file);

  // One pass lists this lookup's words and gathers the index for the next ones.
  HeadwordMatcher matcher(words);
  DictionaryIndex::Builder builder(read.stamp.size);
  dictionary::PieceFilter everyPiece;
  everyPiece.AllowAll();
  const dictionary::TextEnd end =
      dictionary::ForEachPiece(*file, everyPiece, [&](const dictionary::Piece& piece) {
        matcher.Measure(piece);
        builder.Add(piece);
      });
  if (end != dictionary::TextEnd::kReadError) {
    const double share = static_cast<double>(read.stamp.size) * limits_.shareOfFile;
    const size_t maxBytes = share >= static_cast<double>(SIZE_MAX) ? SIZE_MAX : static_cast<size_t>(share);
    kept_ = Kept{read, builder.Finish(maxBytes, limits_.keyBytes)};
  }
  MatchedLister lister(matcher);
  return RunLookupWithRetry(plan, lister);
}

size_t DictionaryLookups::KeptBytes() const {
  return kept_ && kept_->index ? sizeof(Kept) + kept_->index->KeptBytes() : 0;
}

}  // namespace lookup
