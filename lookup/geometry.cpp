// Sizes of the result lists and of the result window, in pixels.
#include <algorithm>

#include "lookup/list_feed.h"
#include "lookup/lookup.h"

namespace lookup {
namespace {

constexpr int32_t kMaxShownRows = 10;  // a list is never sized for more rows
constexpr int32_t kRowHeight = 12;

constexpr int32_t kListWidth = 195;
constexpr int32_t kListFrameHeight = 20;
constexpr int32_t kExtentPerRowByte = 10;

constexpr int32_t kWindowWidthPerList = 209;
constexpr int32_t kWindowFrameHeight = 70;

int32_t ShownRows(int32_t count) { return std::clamp(count, 1, kMaxShownRows); }

}  // namespace

// With no match the list holds "Unknown" alone: one row.
int32_t ListFill::SizedRows() const { return ShownRows(count); }
int32_t ListFill::Width() const { return kListWidth; }
int32_t ListFill::Height() const { return kRowHeight * SizedRows() + kListFrameHeight; }
int32_t ListFill::Extent() const { return kExtentPerRowByte * longestRow; }

int32_t ListFeed::SizedRows() const { return ShownRows(count); }
int32_t ListFeed::Width() const { return kListWidth; }
int32_t ListFeed::Height() const { return kRowHeight * SizedRows() + kListFrameHeight; }
int32_t ListFeed::Extent() const { return kExtentPerRowByte * longestRow_; }

template <class List>
int32_t LookupOf<List>::WindowWidth() const {
  return kWindowWidthPerList * listCounter;
}
template <class List>
int32_t LookupOf<List>::WindowHeight() const {
  return kRowHeight * ShownRows(largestCount) + kWindowFrameHeight;
}
template struct LookupOf<ListFill>;
template struct LookupOf<ListFeed>;

}  // namespace lookup
