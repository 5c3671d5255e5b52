// The dictionary's file operations on a POSIX system.
#pragma once

#include <functional>

#include "result/file_system.h"

namespace rowaction {

class PosixFileSystem final : public FileSystem {
 public:
  // The steps of ReplaceWithBackup, in order.
  enum class ReplaceStep { kRemoveOldBackup, kLinkBackup, kSyncBackup, kRename, kSyncDirectory };
  // Asked before each step; returning false makes the step fail as if the
  // system had refused it. Lets tests reach every failure path on real files.
  using StepFilter = std::function<bool(ReplaceStep)>;

  PosixFileSystem() = default;
  explicit PosixFileSystem(StepFilter filter) : filter_(std::move(filter)) {}

  std::unique_ptr<lookup::ByteSource> OpenForRead(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateWorkFile(const std::string& path) override;
  // The old backup is removed, the dictionary linked as the new backup, and
  // the work file renamed over the dictionary; the directory is synced so the
  // new names survive a crash.
  bool ReplaceWithBackup(const std::string& replaced, const std::string& replacement,
                         const std::string& backup) override;
  bool Remove(const std::string& path) override;

 private:
  bool Allowed(ReplaceStep step) const;

  StepFilter filter_;
};

}  // namespace rowaction
