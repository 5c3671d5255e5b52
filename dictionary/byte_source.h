// Where the raw bytes of a dictionary come from: the file (read_only_file.h,
// file_system.h) or memory (tests, fuzzing, the import's old dictionary).
#pragma once

#include <cstddef>
#include <string_view>

namespace dictionary {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `capacity` next bytes into `into`: the count read, 0 at the end, or
  // -1 on a read error.
  virtual std::ptrdiff_t Read(char* into, size_t capacity) = 0;
};

class MemorySource : public ByteSource {
 public:
  // `bytes` must outlive the source. `largestRead` bounds every read, so that
  // tests can put the reader's block boundaries anywhere.
  explicit MemorySource(std::string_view bytes, size_t largestRead = static_cast<size_t>(-1))
      : rest_(bytes), largestRead_(largestRead == 0 ? 1 : largestRead) {}
  std::ptrdiff_t Read(char* into, size_t capacity) override;

 private:
  std::string_view rest_;
  size_t largestRead_;
};

}  // namespace dictionary
