// A step refused because another program holds a file (antivirus, the search
// indexer, a sync client) is let through a moment later: it is tried again a
// few times over about half a second before it counts as refused. Any other
// refusal ends the step at once, explained as far as the user can act on it.
#pragma once

#include <chrono>
#include <string>

#include "dictionary/file_system.h"

namespace dictionary {

inline constexpr int kHeldFileAttempts = 6;
inline constexpr std::chrono::milliseconds kHeldFileRetryPause{100};

// How a thread waits between two attempts: a window's thread goes on
// answering its messages meanwhile.
class RetryPause {
 public:
  virtual ~RetryPause() = default;
  virtual void Wait(std::chrono::milliseconds pause) = 0;
};

// A plain sleep, for a thread without windows.
RetryPause& SleepingPause();

// Windows refuses a change as "access denied" for a file another program has
// open without delete sharing, a read-only file, a folder that can't be
// written and a directory in the way alike. Asks the system which it is, for
// `failure` (a change of failure.path, and of `other`, a rename's or a link's
// other name, if any), and names the file it is about. Other refusals are
// returned as they are.
FileFailure ExplainRefusal(FileSystem& files, FileFailure failure, const std::string& other);

// Runs the steps of a rewrite, each tried again while a file is held.
class HeldFileRetry {
 public:
  HeldFileRetry(FileSystem& files, RetryPause& pause) : files_(files), pause_(pause) {}

  // Runs `step`, which opens `path` for reading, until its result tests true,
  // it is refused for another reason than a held file, or it has had its attempts.
  template <class Step>
  auto Read(const std::string& path, Step step) -> decltype(step()) {
    return Run(path, nullptr, step);
  }
  // Likewise for a step that creates, links, renames or removes `path`;
  // `other` is a rename's or a link's other name.
  template <class Step>
  auto Change(const std::string& path, Step step, const std::string& other = {}) -> decltype(step()) {
    return Run(path, &other, step);
  }
  // The file of the last refused step, and why it was refused.
  const FileFailure& Refused() const { return refused_; }

 private:
  template <class Step>
  auto Run(const std::string& path, const std::string* other, Step step) -> decltype(step()) {
    for (int attempt = 1;; ++attempt) {
      auto result = step();
      if (result || !TryAgain(attempt, path, other)) return result;
    }
  }
  // Notes why the step was refused; waits and answers true when another attempt may pass.
  bool TryAgain(int attempt, const std::string& path, const std::string* other);

  FileSystem& files_;
  RetryPause& pause_;
  FileFailure refused_;
};

}  // namespace dictionary
