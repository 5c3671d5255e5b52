// The five result lists as one lookup after another fills them: a lookup
// puts in the first screen of each list it touches at once, and the rest of
// the rows, and what the next lookups need of a file read anew, follow a
// slice at a time between the program's messages. A lookup started before
// the last one's rows are all in takes over the lists it touches.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "lookup/dictionary_lookups.h"
#include "lookup/list_filling.h"
#include "lookup/work_budget.h"

namespace lookup {

struct WindowSize {
  int32_t width = 0;
  int32_t height = 0;
};

class ResultFilling {
 public:
  ResultFilling(DictionaryLookups& lookups, const std::array<ListFilling*, kListCount>& lists)
      : lookups_(lookups), lists_(lists) {}

  // Looks `query` up and starts filling the lists it touches, then fills on
  // while `budget` allows. The result window's size; none when the query is
  // empty after trimming (then nothing is touched).
  std::optional<WindowSize> Start(std::string_view query, bool related, WorkBudget& budget);

  // Whether looking `query` up now would leave the lists as the last lookup does.
  bool WouldRepeat(std::string_view query, bool related) { return lookups_.WouldRepeat(query, related); }

  struct Progress {
    bool more = false;                   // work is left for later slices
    std::optional<WindowSize> relisted;  // the window's new size, when the lists were filled anew
  };
  // Fills on while `budget` allows. When the dictionary changed under a fill,
  // the last lookup is done again, as the file now is.
  Progress Continue(WorkBudget& budget);

  // Rows still to go into the lists, or out of them.
  size_t PendingRows() const;

  // Why the last lookup Start made could not read the dictionary, if it could not.
  std::optional<uint32_t> Unreadable() const { return unreadable_; }

 private:
  // Fills every list a little; true when the file changed under one the
  // last lookup filled. A list an earlier lookup filled stops where it got:
  // it stands beyond the window's edge.
  bool FillAll(WorkBudget& budget);

  DictionaryLookups& lookups_;
  std::array<ListFilling*, kListCount> lists_;
  std::string lastQuery_;
  bool lastRelated_ = false;
  std::array<bool, kListCount> lastTouched_{};
  std::optional<uint32_t> unreadable_;
};

}  // namespace lookup
