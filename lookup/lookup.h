// The lookup engine: what one lookup leaves in the five result lists and how
// large the result window becomes. Portable: no window system here; the
// Windows side applies these results to the real lists and window.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lookup {

inline constexpr int kListCount = 5;  // lists 1000 to 1004

// The state one listing of a word leaves in a result list.
struct ListFill {
  bool opened = false;            // false: the dictionary could not be read; the
                                  // list is emptied but keeps its size and extent
  std::vector<std::string> rows;  // in file order; "Unknown" alone when nothing matched
  int32_t count = 0;              // matching lines ("Unknown" not counted)
  int32_t longestRow = 0;         // bytes of the longest row

  int32_t SizedRows() const;      // rows the list is sized for: 1 to 10
  int32_t Width() const;          // list width in pixels
  int32_t Height() const;         // list height in pixels
  int32_t Extent() const;         // horizontal scroll extent in pixels
};

// What a whole lookup leaves behind: every list's rows (ListFill), or the
// rows still to be read (ListFeed, list_feed.h).
template <class List>
struct LookupOf {
  bool shown = false;  // false: the query was empty after trimming; nothing is touched
  std::array<std::optional<List>, kListCount> lists;  // final state of every touched list
  int32_t listCounter = 1;   // lists in use, 1 to 5
  int32_t largestCount = 0;  // largest count of any listing of the run
  // Set when the dictionary could not be opened: the system's reason
  // (ReadOnlyFiles::LastOpenError). The lists are then as the failure leaves them.
  std::optional<uint32_t> unreadable;

  int32_t WindowWidth() const;   // the result window's size, placed at the cursor
  int32_t WindowHeight() const;
};
using LookupResult = LookupOf<ListFill>;

// Lists the lines whose headword begins with `word` (one read of `path`).
// Like every text here, `word` ends at its first zero byte.
ListFill ListHeadword(const std::string& path, std::string_view word);

// A whole lookup of `query`: trim, list, inflection fallback and, with
// `related`, the prefix-exchanged words. Reads `path` once. A query longer
// than 127 bytes is looked up by its first 127 bytes.
// Where all that finds nothing, the query as looked up is looked up once
// more without the punctuation at its ends (punctuation.h).
LookupResult Lookup(const std::string& path, std::string_view query, bool related);

// The same over the raw bytes of a dictionary file already in memory.
ListFill ListHeadwordInBytes(std::string_view dictionary, std::string_view word);
LookupResult LookupInBytes(std::string_view dictionary, std::string_view query, bool related);

}  // namespace lookup
