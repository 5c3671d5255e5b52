#include "dictionary/held_file_retry.h"

#include <thread>

namespace dictionary {
namespace {

class SleepingPauseImpl final : public RetryPause {
 public:
  void Wait(std::chrono::milliseconds pause) override { std::this_thread::sleep_for(pause); }
};

}  // namespace

RetryPause& SleepingPause() {
  static SleepingPauseImpl pause;
  return pause;
}

FileFailure ExplainRefusal(FileSystem& files, FileFailure failure, const std::string& other) {
  if (failure.error.reason != Refusal::kAccessDenied) return failure;
  const auto as = [&failure](const std::string& path, Refusal reason) {
    return FileFailure{path, FileError{failure.error.code, reason}};
  };
  // A folder that can't be written refuses every change in it: it is what the user must mend.
  if (const std::optional<FileError> folder = files.ProbeFolder(failure.path)) {
    const Refusal reason = folder->reason;
    const bool telling =
        reason == Refusal::kReadOnly || reason == Refusal::kNotFound || reason == Refusal::kDiskFull;
    return as(failure.path, telling ? reason : Refusal::kAccessDenied);
  }
  const std::string* const paths[] = {&failure.path, &other};
  PathFacts facts[2];
  for (int i = 0; i < 2; ++i) {
    if (!paths[i]->empty()) facts[i] = files.Inspect(*paths[i]);
  }
  for (int i = 0; i < 2; ++i) {
    if (facts[i].removal && facts[i].removal->Held()) return as(*paths[i], Refusal::kHeld);
  }
  for (int i = 0; i < 2; ++i) {
    if (facts[i].readOnly) return as(*paths[i], Refusal::kReadOnly);
  }
  for (int i = 0; i < 2; ++i) {
    if (facts[i].directory) return as(*paths[i], Refusal::kOther);
  }
  for (int i = 0; i < 2; ++i) {
    if (facts[i].removal) return as(*paths[i], facts[i].removal->reason);
  }
  // Open in a program that lets it be deleted (Windows still won't rename
  // over it), or being deleted: either passes soon.
  return as(failure.path, Refusal::kHeld);
}

bool HeldFileRetry::TryAgain(int attempt, const std::string& path, const std::string* other) {
  refused_ = FileFailure{path, files_.LastError()};
  if (other) refused_ = ExplainRefusal(files_, std::move(refused_), *other);
  if (!refused_.error.Held() || attempt == kHeldFileAttempts) return false;
  pause_.Wait(kHeldFileRetryPause);
  return true;
}

}  // namespace dictionary
