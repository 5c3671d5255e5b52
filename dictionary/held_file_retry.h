// A step refused because another program holds a file (antivirus, the search
// indexer, a sync client) is let through a moment later: it is tried again a
// few times over about half a second before it counts as refused.
#pragma once

#include <chrono>
#include <thread>

#include "dictionary/file_system.h"

namespace dictionary {

inline constexpr int kHeldFileAttempts = 6;
inline constexpr std::chrono::milliseconds kHeldFileRetryPause{100};

// Runs `step` (returning something that tests true on success) until it
// succeeds, is refused for another reason than a held file, or has had its attempts.
template <class Step>
auto RetryWhileHeld(FileSystem& files, Step step) -> decltype(step()) {
  for (int attempt = 1;; ++attempt) {
    auto result = step();
    if (result || attempt == kHeldFileAttempts || !files.LastError().held) return result;
    std::this_thread::sleep_for(kHeldFileRetryPause);
  }
}

}  // namespace dictionary
