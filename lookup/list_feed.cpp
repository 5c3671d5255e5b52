#include "lookup/list_feed.h"

#include <algorithm>
#include <string>
#include <utility>

#include "dictionary/dictionary_line.h"

namespace lookup {
namespace {

class InMemory final : public PieceSource {
 public:
  explicit InMemory(std::vector<std::string> texts)
      : texts_(std::make_shared<const std::vector<std::string>>(std::move(texts))) {}
  bool Next(size_t most, std::vector<std::string_view>& texts, std::shared_ptr<const void>& keep) override {
    for (; most > 0 && next_ < texts_->size(); --most) texts.push_back((*texts_)[next_++]);
    keep = texts_;
    return true;
  }
  size_t Remaining() const override { return texts_->size() - next_; }

 private:
  std::shared_ptr<const std::vector<std::string>> texts_;
  size_t next_ = 0;
};

}  // namespace

std::unique_ptr<PieceSource> PiecesInMemory(std::vector<std::string> texts) {
  return std::make_unique<InMemory>(std::move(texts));
}

ListFeed::ListFeed(int32_t count, std::unique_ptr<PieceSource> source)
    : opened(true), count(count), source_(std::move(source)) {}

size_t ListFeed::Remaining() const { return (source_ ? source_->Remaining() : 0) + (UnknownDue() ? 1 : 0); }

ListFeed::Taken ListFeed::Take(size_t most, std::vector<std::string_view>& rows,
                               std::vector<std::shared_ptr<const void>>& keep) {
  if (source_ && most > 0 && source_->Remaining() > 0) {
    const size_t first = rows.size();
    std::shared_ptr<const void> bytes;
    if (!source_->Next(most, rows, bytes)) return Taken::kFileChanged;
    for (size_t i = first; i < rows.size(); ++i) {
      rows[i] = dictionary::RowText(rows[i]);
      longestRow_ = std::max(longestRow_, static_cast<int32_t>(rows[i].size()));
    }
    if (bytes && rows.size() > first && (keep.empty() || keep.back() != bytes)) keep.push_back(std::move(bytes));
    most -= std::min(most, rows.size() - first);
  }
  if (most > 0 && UnknownDue()) {
    rows.push_back(dictionary::kUnknownRow);
    longestRow_ = std::max(longestRow_, static_cast<int32_t>(dictionary::kUnknownRow.size()));
    unknownTaken_ = true;
  }
  return Taken::kRows;
}

ListFill Drained(ListFeed feed, bool* complete) {
  ListFill fill;
  fill.opened = feed.opened;
  fill.count = feed.count;
  std::vector<std::string_view> rows;
  std::vector<std::shared_ptr<const void>> keep;
  if (feed.Take(feed.Remaining(), rows, keep) == ListFeed::Taken::kFileChanged && complete) *complete = false;
  fill.rows.assign(rows.begin(), rows.end());
  fill.longestRow = feed.longestRow();
  return fill;
}

LookupResult Drained(LookupFeeds feeds, bool* complete) {
  LookupResult result;
  result.shown = feeds.shown;
  result.listCounter = feeds.listCounter;
  result.largestCount = feeds.largestCount;
  result.unreadable = feeds.unreadable;
  for (size_t i = 0; i < feeds.lists.size(); ++i) {
    if (feeds.lists[i]) result.lists[i] = Drained(std::move(*feeds.lists[i]), complete);
  }
  return result;
}

}  // namespace lookup
