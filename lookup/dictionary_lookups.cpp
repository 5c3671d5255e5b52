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

// A lookup whose rows were read from a file that changed meanwhile is done
// again, a few times at most.
constexpr int kLookupAttempts = 3;

// The pieces at known offsets of the file an index was made from, read when
// they are wanted. The file is opened for each read and must still be the
// one the lookup found.
class PiecesAt final : public PieceSource {
 public:
  PiecesAt(dictionary::ReadOnlyFiles& files, const std::string& path, const dictionary::FileStamp& stamp,
           DictionaryIndex::FileOrder offsets)
      : files_(files), path_(path), stamp_(stamp), offsets_(std::move(offsets)) {}

  bool Next(size_t most, std::vector<std::string_view>& texts, std::shared_ptr<const void>& keep) override {
    const std::unique_ptr<dictionary::ReadOnlyFile> file = files_.Open(path_);
    if (!file || !(file->Stamp() == stamp_)) return false;
    std::vector<uint32_t> offsets;
    offsets_.Next(most, offsets);
    std::string read;
    std::vector<size_t> ends;
    const bool complete = dictionary::ForEachPieceAt(*file, offsets, 0, [&](size_t, std::string_view text) {
      read += dictionary::RowText(text);
      ends.push_back(read.size());
    });
    // A read error ends the rows where it struck.
    if (!complete) ended_ = true;
    const auto bytes = std::make_shared<const std::string>(std::move(read));
    const std::string_view all = *bytes;
    size_t begin = 0;
    for (const size_t end : ends) {
      texts.push_back(all.substr(begin, end - begin));
      begin = end;
    }
    keep = bytes;
    return true;
  }
  size_t Remaining() const override { return ended_ ? 0 : offsets_.Remaining(); }

 private:
  dictionary::ReadOnlyFiles& files_;
  std::string path_;
  dictionary::FileStamp stamp_;
  DictionaryIndex::FileOrder offsets_;
  bool ended_ = false;
};

// Lists words through the index, reading only the pieces it shows (and a few
// the index needs) from the file the index was made from.
class KeptLister : public WordLister {
 public:
  KeptLister(DictionaryIndex& index, dictionary::ReadOnlyFile& file, dictionary::ReadOnlyFiles& files,
             const std::string& path)
      : index_(index), file_(file), files_(files), path_(path) {}

  int32_t Count(std::string_view word) override { return Find(word).Count(); }

  ListFeed Feed(std::string_view word) override {
    const DictionaryIndex::Range range = Find(word);
    return ListFeed(range.Count(), std::make_unique<PiecesAt>(files_, path_, file_.Stamp(), index_.Offsets(range)));
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
  dictionary::ReadOnlyFiles& files_;
  const std::string& path_;
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
  LookupResult result;
  for (int attempt = 0; attempt < kLookupAttempts; ++attempt) {
    bool complete = true;
    result = Drained(StartLookup(query, related, true), &complete);
    if (complete) break;
  }
  WorkBudget everything = WorkBudget::Unlimited();
  while (ContinueIndex(everything)) {
  }
  return result;
}

LookupFeeds DictionaryLookups::Start(std::string_view query, bool related) {
  return StartLookup(query, related, false);
}

LookupFeeds DictionaryLookups::StartLookup(std::string_view query, bool related, bool indexNow) {
  const std::string normalised = NormaliseQuery(query);
  if (normalised.empty()) return LookupFeeds{};  // the file is not even opened
  last_ = LastLookup{normalised, related};
  // Text copied with its punctuation that finds nothing is tried again without it.
  const RetryPlan plan = PlanLookupWithRetry(normalised, related);
  const std::vector<std::string> words = plan.Words();

  const dictionary::FileTime readAt = files_.Now();
  const std::unique_ptr<dictionary::ReadOnlyFile> file = files_.Open(path_);
  if (!file) {
    kept_.reset();
    indexing_.reset();
    LookupFeeds result = UnreadableLookup(plan);
    result.unreadable = files_.LastOpenError();
    return result;
  }
  if (kept_ && dictionary::StillAsRead(kept_->read, file->Stamp())) {
    if (!kept_->index || !Indexable(words)) return ScannedLookup(plan, *file);
    KeptLister lister(*kept_->index, *file, files_, path_);
    return RunLookupWithRetry(plan, lister);
  }

  kept_.reset();
  indexing_.reset();
  const dictionary::FileRead read{file->Stamp(), readAt};
  if (!dictionary::MayKeep(read)) return ScannedLookup(plan, *file);
  if (!indexNow) {
    // The lookup reads only the lines that may match; the index is gathered
    // from every line later, a step at a time.
    kept_ = Kept{read, std::nullopt};
    indexing_.emplace(read.stamp.size);
    return ScannedLookup(plan, *file);
  }

  // One pass lists this lookup's words and gathers the index for the next ones.
  const auto matcher = std::make_shared<HeadwordMatcher>(words);
  DictionaryIndex::Builder builder(read.stamp.size);
  dictionary::PieceFilter everyPiece;
  everyPiece.AllowAll();
  const dictionary::TextEnd end =
      dictionary::ForEachPiece(*file, everyPiece, [&](const dictionary::Piece& piece) {
        matcher->Measure(piece);
        builder.Add(piece);
      });
  if (end != dictionary::TextEnd::kReadError) kept_ = Kept{read, Finish(builder, read.stamp.size)};
  MatchedLister lister(matcher);
  return RunLookupWithRetry(plan, lister);
}

bool DictionaryLookups::WouldRepeat(std::string_view query, bool related) {
  if (!kept_ || !last_ || last_->related != related || last_->query != NormaliseQuery(query)) return false;
  const std::unique_ptr<dictionary::ReadOnlyFile> file = files_.Open(path_);
  return file && dictionary::StillAsRead(kept_->read, file->Stamp());
}

bool DictionaryLookups::ContinueIndex(WorkBudget& budget) {
  if (!indexing_) {
    // Each group as a word would first need it, so no lookup pays for that.
    if (!kept_ || !kept_->index) return false;
    while (budget.Take()) {
      if (!kept_->index->SortNextGroup()) return false;
    }
    return true;
  }
  const std::unique_ptr<dictionary::ReadOnlyFile> file = files_.Open(path_);
  if (!file || !(file->Stamp() == kept_->read.stamp)) {
    // The next lookup reads the file anew.
    kept_.reset();
    indexing_.reset();
    return false;
  }
  Indexing& indexing = *indexing_;
  // From where the last step stopped: a piece starts there.
  dictionary::FileFrom rest(*file, indexing.next);
  dictionary::PieceFilter everyPiece;
  everyPiece.AllowAll();
  uint64_t stoppedAt = indexing.next;
  const dictionary::TextEnd end = dictionary::ForEachPiece(rest, everyPiece, [&](const dictionary::Piece& piece) {
    dictionary::Piece inFile = piece;
    inFile.offset += indexing.next;
    if (!budget.Take()) {
      stoppedAt = inFile.offset;
      return false;
    }
    indexing.builder.Add(inFile);
    return true;
  });
  if (end == dictionary::TextEnd::kStopped) {
    indexing.next = stoppedAt;
    return true;
  }
  if (end == dictionary::TextEnd::kReadError) {
    kept_.reset();
  } else {
    kept_->index = Finish(indexing.builder, kept_->read.stamp.size);
  }
  indexing_.reset();
  return kept_ && kept_->index;
}

std::optional<DictionaryIndex> DictionaryLookups::Finish(DictionaryIndex::Builder& builder, uint64_t fileSize) const {
  const double share = static_cast<double>(fileSize) * limits_.shareOfFile;
  const size_t maxBytes = share >= static_cast<double>(SIZE_MAX) ? SIZE_MAX : static_cast<size_t>(share);
  return builder.Finish(maxBytes, limits_.keyBytes);
}

size_t DictionaryLookups::KeptBytes() const {
  return kept_ && kept_->index ? sizeof(Kept) + kept_->index->KeptBytes() : 0;
}

}  // namespace lookup
