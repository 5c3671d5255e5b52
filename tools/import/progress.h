// Progress of a long import on a terminal: entries and percent on one line,
// redrawn in place. Quick work shows nothing, and neither does output that is
// not a terminal (a log or a pipe would only fill with redraws).
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>

namespace import {

class Progress {
 public:
  using Clock = std::chrono::steady_clock;
  using Now = std::function<Clock::time_point()>;

  // Draws on `out` only when `terminal`; time is taken from `now`.
  Progress(std::ostream& out, bool terminal, Now now = Clock::now);
  ~Progress() { Clear(); }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // `entries` read so far, `done` of `total` units (bytes) of the source.
  void Update(int64_t entries, uint64_t done, uint64_t total);
  // Removes the line, so that a report or a failure starts on a clean line.
  void Clear();

 private:
  std::ostream& out_;
  bool terminal_;
  Now now_;
  Clock::time_point nextDraw_;
  bool drawn_ = false;
};

// Update through a progress that may be absent.
inline void ShowProgress(Progress* progress, int64_t entries, uint64_t done, uint64_t total) {
  if (progress) progress->Update(entries, done, total);
}

}  // namespace import
