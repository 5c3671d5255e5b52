// Files in memory for the text-mode tests: reads come in chunks of a chosen
// size so every buffer boundary can be reached, and either side can fail
// after a given number of bytes.
#pragma once

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "result/file_system.h"

namespace rowaction {

class MemoryInputFile final : public InputFile {
 public:
  explicit MemoryInputFile(std::string bytes, std::size_t chunk = std::numeric_limits<std::size_t>::max(),
                           std::size_t failAfter = std::numeric_limits<std::size_t>::max())
      : bytes_(std::move(bytes)), chunk_(chunk), failAfter_(failAfter) {}

  std::ptrdiff_t Read(char* buffer, std::size_t size) override {
    if (pos_ >= failAfter_) return -1;
    const std::size_t take = std::min({size, chunk_, bytes_.size() - pos_, failAfter_ - pos_});
    std::memcpy(buffer, bytes_.data() + pos_, take);
    pos_ += take;
    return static_cast<std::ptrdiff_t>(take);
  }

 private:
  std::string bytes_;
  std::size_t chunk_;
  std::size_t failAfter_;
  std::size_t pos_ = 0;
};

class MemoryOutputFile final : public OutputFile {
 public:
  explicit MemoryOutputFile(std::size_t capacity = std::numeric_limits<std::size_t>::max())
      : capacity_(capacity) {}

  // Like a full disk: what fits is written, then the write fails.
  bool Write(const char* data, std::size_t size) override {
    const std::size_t room = capacity_ - bytes.size();
    bytes.append(data, std::min(size, room));
    ++writes;
    return size <= room;
  }
  bool Sync() override { return true; }

  std::string bytes;
  int writes = 0;

 private:
  std::size_t capacity_;
};

}  // namespace rowaction
