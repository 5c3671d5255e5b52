// Another program holding a file open for a while, as antivirus, the search
// indexer or a sync client do. Where the system enforces the hold (Windows
// sharing modes), the file is really opened; elsewhere the test's file system
// refuses in the system's place while Refuses() says so.
#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "dictionary/file_system.h"

namespace rows {

class HeldFile {
 public:
  enum class Mode {
    kExclusive,    // nobody else may open, rename, link or delete it
    kUndeletable,  // others may read and write it, but not rename over it or delete it
  };
  HeldFile(std::string path, Mode mode, bool enforcedBySystem);
  ~HeldFile() { Release(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  // Holds the file from now on, letting go after `duration` (never, if zero).
  // Only the first call holds.
  void Hold(std::chrono::milliseconds duration);
  void Release();

  bool Holding() const { return holding_; }
  // Whether `operation` on `path` must be refused in the system's place now.
  enum class Operation { kOpen, kLink, kRename, kRemove };
  bool Refuses(const std::string& path, Operation operation) const;
  // The system's answer to an operation refused for a held file.
  static dictionary::FileError Answer();

 private:
  void Open();
  void Close();

  std::string path_;
  Mode mode_;
  bool enforcedBySystem_;
  bool held_ = false;
  std::atomic<bool> holding_{false};
  std::atomic<bool> stop_{false};
  std::thread releaser_;
  [[maybe_unused]] void* handle_ = nullptr;  // the system's hold, where it enforces one
};

}  // namespace rows
