// One result list as lookups fill it: how the rows of a new listing get into
// the list control a slice at a time, so that the program answers its
// messages between slices however many rows there are, and the rows' exact
// bytes. Once a listing is in, the list holds exactly its rows, size and
// extent, as if they had gone in at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lookup/list_feed.h"
#include "lookup/work_budget.h"

namespace lookup {

// The list control, as a fill changes it.
class ListControl {
 public:
  virtual ~ListControl() = default;
  virtual void BeginChanges() = 0;  // nothing is drawn until EndChanges
  virtual void EndChanges() = 0;
  virtual void Reset() = 0;
  // Both tell whether the list gives the row's exact bytes back; those it
  // can't are kept beside it.
  virtual bool Append(std::string_view row) = 0;
  virtual bool InsertAt(size_t index, std::string_view row) = 0;
  virtual void RemoveAt(size_t index) = 0;
  // The bytes of row `index` as the list gives them back.
  virtual std::string RowText(size_t index) = 0;
  // Room for `rows` more rows, asked for once the list holds many.
  virtual void Reserve(size_t rows) = 0;
  virtual void Resize(int32_t width, int32_t height) = 0;
  virtual void SetExtent(int32_t pixels) = 0;
};

// How much a fill does at once.
struct FillLimits {
  // An earlier listing of at most this many rows is emptied at once (some
  // 30 ms under Wine); a larger one leaves a slice at a time, from the end.
  size_t emptiedAtOnce = 32 * 1024;
  // Rows a new listing puts in at once: every row of a short one, the first
  // screen of a long one; and only the rows a list can show while an earlier
  // listing's rows are still below them (each insertion above them moves them all).
  size_t rowsAtOnce = 512;
  size_t screenRows = 12;
  // Once the list holds this many rows, room for the rest is asked for at
  // once. Wine's list grows its array of rows a few at a time, copying it
  // whenever it outgrows its block, which makes a long fill take time
  // quadratic in its rows; asked for before the array is a large block, the
  // room is given back at the next insertion.
  size_t reserveAt = 32 * 1024;
  // Rows read from the dictionary at a time: the file is opened for each read.
  size_t rowsPerRead = 1024;
};

class ListFilling {
 public:
  explicit ListFilling(ListControl& control, FillLimits limits = {}) : control_(control), limits_(limits) {}
  ListFilling(const ListFilling&) = delete;
  ListFilling& operator=(const ListFilling&) = delete;

  // The rows of `feed` replace the list's, and what was still to come of an
  // earlier listing is dropped. The list is sized at once.
  void Start(ListFeed feed);

  enum class Filled { kAll, kMore, kFileChanged };
  // Changes the list until `budget` is spent; the first screen of a listing
  // goes in whatever the budget. On kFileChanged the listing's rows still
  // to come are dropped: they can't be had as the lookup found them.
  Filled Fill(WorkBudget& budget);

  // Rows still to go in, and rows of an earlier listing still to go out.
  size_t Pending() const;
  // The bytes of row `index` as the list holds it now; empty when there is none.
  std::string RowAt(size_t index) const;

 private:
  // Rows the list can't give back, by their place in their listing, ascending.
  using KeptRows = std::vector<std::pair<size_t, std::string>>;
  static const std::string* Find(const KeptRows& kept, size_t index);

  // Puts in up to `most` rows of the listing, `budget` allowing when given.
  Filled Put(size_t most, WorkBudget* budget);
  size_t Ready() const { return ready_.size() - readyAt_; }

  ListControl& control_;
  FillLimits limits_;
  std::optional<ListFeed> feed_;
  size_t rows_ = 0;   // the listing's rows in the list, at its top
  size_t stale_ = 0;  // an earlier listing's, below them, leaving from the end
  KeptRows kept_;
  KeptRows staleKept_;
  std::vector<std::string_view> ready_;  // taken from the feed, not yet in the list
  std::vector<std::shared_ptr<const void>> readyBytes_;
  size_t readyAt_ = 0;
  size_t firstScreen_ = 0;  // rows to go in whatever the budget
  bool reserved_ = false;
  int32_t extent_ = -1;  // the extent last set for this listing
};

}  // namespace lookup
