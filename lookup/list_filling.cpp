#include "lookup/list_filling.h"

#include <algorithm>
#include <utility>

namespace lookup {
namespace {

// An earlier listing of at most this many rows is emptied at once (some 30 ms
// under Wine); a larger one leaves a slice at a time, from the end.
constexpr size_t kEmptiedAtOnce = 32 * 1024;
// Rows a new listing puts in at once: every row of a short one, the first
// screen of a long one, and only the rows a list can show when an earlier
// listing's rows are still below them (each insertion above those moves them all).
constexpr size_t kRowsAtOnce = 512;
constexpr size_t kScreenRows = 16;
// Once the list holds this many rows, room for the rest is asked for at
// once. Wine's list grows its array of rows a few at a time, copying it each
// time it outgrows its block, which makes a long fill take time quadratic in
// its rows; asked for before its array is a large block, the room is given
// back at the next insertion.
constexpr size_t kReserveAt = 32 * 1024;
// Rows read from the feed at a time: the file is opened once for each read.
constexpr size_t kRowsPerRead = 1024;

}  // namespace

void ListFilling::Start(ListFeed feed) {
  control_.BeginChanges();
  // Whatever the list holds now is an earlier listing's, in the list's order.
  rows_.insert(rows_.end(), stale_.begin(), stale_.end());
  stale_.swap(rows_);
  rows_.clear();
  staleKeep_.insert(staleKeep_.end(), std::make_move_iterator(keep_.begin()), std::make_move_iterator(keep_.end()));
  keep_.clear();
  if (stale_.size() <= kEmptiedAtOnce) {
    control_.Reset();
    stale_.clear();
    staleKeep_.clear();
  }
  feed_ = std::move(feed);
  ready_.clear();
  readyAt_ = 0;
  firstScreen_ = stale_.empty() ? kRowsAtOnce : kScreenRows;
  reserved_ = false;
  extent_ = -1;
  // An unreadable dictionary leaves the size and extent as they were.
  if (feed_->opened) control_.Resize(feed_->Width(), feed_->Height());
  control_.EndChanges();
}

ListFilling::Filled ListFilling::Fill(WorkBudget& budget) {
  if (Pending() == 0) return Filled::kAll;
  control_.BeginChanges();
  Filled filled = Put(std::exchange(firstScreen_, 0), nullptr);
  while (filled != Filled::kFileChanged && !stale_.empty() && budget.Take()) {
    control_.RemoveAt(rows_.size() + stale_.size() - 1);
    stale_.pop_back();
  }
  if (stale_.empty()) staleKeep_.clear();
  if (filled != Filled::kFileChanged && stale_.empty()) filled = Put(SIZE_MAX, &budget);
  if (feed_ && feed_->opened && feed_->Extent() != extent_) {
    extent_ = feed_->Extent();
    control_.SetExtent(extent_);
  }
  control_.EndChanges();
  if (filled == Filled::kFileChanged) {
    feed_.reset();
    ready_.clear();
    readyAt_ = 0;
  }
  if (filled != Filled::kFileChanged && Pending() == 0) {
    feed_.reset();
    return Filled::kAll;
  }
  return filled == Filled::kFileChanged ? filled : Filled::kMore;
}

ListFilling::Filled ListFilling::Put(size_t most, WorkBudget* budget) {
  for (size_t put = 0; put < most && feed_; ++put) {
    if (Ready() == 0) {
      ready_.clear();
      readyAt_ = 0;
      if (feed_->Remaining() == 0) break;
      if (feed_->Take(kRowsPerRead, ready_, keep_) == ListFeed::Taken::kFileChanged) return Filled::kFileChanged;
      if (ready_.empty()) break;
    }
    if (budget && !budget->Take()) break;
    const std::string_view row = ready_[readyAt_++];
    if (!stale_.empty()) {
      control_.InsertAt(rows_.size(), row);
    } else {
      if (!reserved_ && rows_.size() >= kReserveAt) {
        control_.Reserve(Ready() + 1 + feed_->Remaining());
        reserved_ = true;
      }
      control_.Append(row);
    }
    rows_.push_back(row);
  }
  return Filled::kMore;
}

size_t ListFilling::Pending() const { return Ready() + (feed_ ? feed_->Remaining() : 0) + stale_.size(); }

std::string_view ListFilling::RowAt(size_t index) const {
  if (index < rows_.size()) return rows_[index];
  index -= rows_.size();
  return index < stale_.size() ? stale_[index] : std::string_view();
}

}  // namespace lookup
