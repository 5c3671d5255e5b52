#include "lookup/list_filling.h"

#include <algorithm>
#include <utility>

namespace lookup {

void ListFilling::Start(ListFeed feed) {
  control_.BeginChanges();
  // Whatever the list holds now is an earlier listing's, in the list's order.
  rows_.insert(rows_.end(), stale_.begin(), stale_.end());
  stale_.swap(rows_);
  rows_.clear();
  staleKeep_.insert(staleKeep_.end(), std::make_move_iterator(keep_.begin()), std::make_move_iterator(keep_.end()));
  keep_.clear();
  if (stale_.size() <= limits_.emptiedAtOnce) {
    control_.Reset();
    stale_.clear();
    staleKeep_.clear();
  }
  feed_ = std::move(feed);
  ready_.clear();
  readyAt_ = 0;
  firstScreen_ = stale_.empty() ? limits_.rowsAtOnce : limits_.screenRows;
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
      const size_t rows = std::max<size_t>(limits_.rowsPerRead, 1);
      if (feed_->Take(rows, ready_, keep_) == ListFeed::Taken::kFileChanged) return Filled::kFileChanged;
      if (ready_.empty()) break;
    }
    if (budget && !budget->Take()) break;
    const std::string_view row = ready_[readyAt_++];
    if (!stale_.empty()) {
      control_.InsertAt(rows_.size(), row);
    } else {
      if (!reserved_ && rows_.size() >= limits_.reserveAt) {
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
