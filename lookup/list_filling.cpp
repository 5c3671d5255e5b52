#include "lookup/list_filling.h"

#include <algorithm>
#include <utility>

namespace lookup {

void ListFilling::Start(ListFeed feed) {
  control_.BeginChanges();
  // Whatever the list holds now is an earlier listing's, in the list's order.
  for (auto& [index, row] : staleKept_) kept_.emplace_back(rows_ + index, std::move(row));
  staleKept_.swap(kept_);
  kept_.clear();
  stale_ += std::exchange(rows_, 0);
  if (stale_ <= limits_.emptiedAtOnce) {
    control_.Reset();
    stale_ = 0;
    staleKept_.clear();
  }
  feed_ = std::move(feed);
  ready_.clear();
  readyBytes_.clear();
  readyAt_ = 0;
  firstScreen_ = stale_ == 0 ? limits_.rowsAtOnce : limits_.screenRows;
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
  while (filled != Filled::kFileChanged && stale_ != 0 && budget.Take()) {
    control_.RemoveAt(rows_ + --stale_);
    if (!staleKept_.empty() && staleKept_.back().first == stale_) staleKept_.pop_back();
  }
  if (filled != Filled::kFileChanged && stale_ == 0) filled = Put(SIZE_MAX, &budget);
  if (feed_ && feed_->opened && feed_->Extent() != extent_) {
    extent_ = feed_->Extent();
    control_.SetExtent(extent_);
  }
  control_.EndChanges();
  if (filled == Filled::kFileChanged) {
    feed_.reset();
    ready_.clear();
    readyBytes_.clear();
    readyAt_ = 0;
    return filled;
  }
  if (Pending() == 0) {
    feed_.reset();  // and with it what the rows were read into
    return Filled::kAll;
  }
  return Filled::kMore;
}

ListFilling::Filled ListFilling::Put(size_t most, WorkBudget* budget) {
  for (size_t put = 0; put < most && feed_; ++put) {
    if (Ready() == 0) {
      ready_.clear();
      readyBytes_.clear();
      readyAt_ = 0;
      if (feed_->Remaining() == 0) break;
      const size_t rows = std::max<size_t>(limits_.rowsPerRead, 1);
      if (feed_->Take(rows, ready_, readyBytes_) == ListFeed::Taken::kFileChanged) return Filled::kFileChanged;
      if (ready_.empty()) break;
    }
    if (budget && !budget->Take()) break;
    const std::string_view row = ready_[readyAt_++];
    bool givenBack;
    if (stale_ != 0) {
      givenBack = control_.InsertAt(rows_, row);
    } else {
      if (!reserved_ && rows_ >= limits_.reserveAt) {
        control_.Reserve(Ready() + 1 + feed_->Remaining());
        reserved_ = true;
      }
      givenBack = control_.Append(row);
    }
    if (!givenBack) kept_.emplace_back(rows_, row);
    ++rows_;
  }
  return Filled::kMore;
}

size_t ListFilling::Pending() const { return Ready() + (feed_ ? feed_->Remaining() : 0) + stale_; }

const std::string* ListFilling::Find(const KeptRows& kept, size_t index) {
  const auto found = std::lower_bound(kept.begin(), kept.end(), index,
                                      [](const auto& row, size_t at) { return row.first < at; });
  return found != kept.end() && found->first == index ? &found->second : nullptr;
}

std::string ListFilling::RowAt(size_t index) const {
  const bool inListing = index < rows_;
  if (!inListing && index - rows_ >= stale_) return std::string();
  if (const std::string* kept = inListing ? Find(kept_, index) : Find(staleKept_, index - rows_)) return *kept;
  return control_.RowText(index);
}

}  // namespace lookup
