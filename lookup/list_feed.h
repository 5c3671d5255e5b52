// The rows one listing of a word leaves in a list, read as they are wanted:
// a list of a million rows fills between the program's other work, and its
// first screen shows at once. All but the rows is known from the start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/lookup.h"

namespace lookup {

// The texts of the matching pieces, in file order.
class PieceSource {
 public:
  virtual ~PieceSource() = default;
  // Appends the texts of up to `most` next pieces to `texts`; they stay
  // valid while `keep` is held. False, with nothing appended, when they can't
  // be had as the lookup saw them: the file changed since.
  virtual bool Next(size_t most, std::vector<std::string_view>& texts, std::shared_ptr<const void>& keep) = 0;
  // Pieces not given yet.
  virtual size_t Remaining() const = 0;
};

// Pieces already in memory, given in their order.
std::unique_ptr<PieceSource> PiecesInMemory(std::vector<std::string> texts);

class ListFeed {
 public:
  // The dictionary could not be read: no rows, and the list keeps its size and extent.
  ListFeed() = default;
  // `count` matching pieces, all of them in `source`.
  ListFeed(int32_t count, std::unique_ptr<PieceSource> source);

  bool opened = false;
  int32_t count = 0;  // matching lines ("Unknown" not counted)

  int32_t SizedRows() const;  // as ListFill's
  int32_t Width() const;
  int32_t Height() const;
  // Of the rows taken so far: once all are, the list's.
  int32_t longestRow() const { return longestRow_; }
  int32_t Extent() const;

  // Rows not taken yet, "Unknown" included.
  size_t Remaining() const;

  enum class Taken { kRows, kFileChanged };
  // Appends up to `most` next rows to `rows`; their bytes stay valid while
  // what this adds to `keep` is held. On kFileChanged nothing is appended.
  Taken Take(size_t most, std::vector<std::string_view>& rows, std::vector<std::shared_ptr<const void>>& keep);

 private:
  bool UnknownDue() const { return opened && count == 0 && !unknownTaken_; }

  std::unique_ptr<PieceSource> source_;
  int32_t longestRow_ = 0;
  bool unknownTaken_ = false;
};

using LookupFeeds = LookupOf<ListFeed>;

// Every row read at once. `complete`, when given, is cleared when the file
// changed before all were read.
ListFill Drained(ListFeed feed, bool* complete = nullptr);
LookupResult Drained(LookupFeeds feeds, bool* complete = nullptr);

}  // namespace lookup
