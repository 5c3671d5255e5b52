// The dictionary as a lookup reads it: opened for the lookup only, with the
// stamp that tells whether it changed, read from its start or at any offset.
// The platform behind it is all there is of it that differs; what to make of
// a stamp is decided portably (file_stamp.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "dictionary/byte_source.h"
#include "dictionary/file_stamp.h"

namespace dictionary {

// Read() goes on from the start of the file; ReadAt() neither uses nor moves it.
class ReadOnlyFile : public ByteSource {
 public:
  // `stamp`: taken when the file was opened. `readCost`: what one read costs
  // beyond the bytes it copies, as a number of bytes copied.
  ReadOnlyFile(const FileStamp& stamp, uint64_t readCost) : stamp_(stamp), readCost_(readCost) {}
  const FileStamp& Stamp() const { return stamp_; }
  uint64_t ReadCost() const { return readCost_; }

  std::ptrdiff_t Read(char* into, size_t capacity) override {
    const std::ptrdiff_t got = ReadAt(position_, into, capacity);
    if (got > 0) position_ += static_cast<uint64_t>(got);
    return got;
  }
  // Up to `capacity` bytes from `offset` on: the count read, 0 at the end, -1 on a read error.
  virtual std::ptrdiff_t ReadAt(uint64_t offset, char* into, size_t capacity) = 0;

 private:
  FileStamp stamp_;
  uint64_t readCost_;
  uint64_t position_ = 0;
};

class ReadOnlyFiles {
 public:
  virtual ~ReadOnlyFiles() = default;
  // Null when the file can't be opened or its stamp can't be read. Others
  // may replace, rename or write the file while it is open.
  virtual std::unique_ptr<ReadOnlyFile> Open(const std::string& path) = 0;
  // Why the last Open gave null: the system's error code (GetLastError() on
  // Windows, errno elsewhere); 0 when it gave none.
  virtual uint32_t LastOpenError() const { return 0; }
  // The clock the file system stamps last-write times with.
  virtual FileTime Now() = 0;
};

// The files of the platform the program is built for.
class NativeReadOnlyFiles final : public ReadOnlyFiles {
 public:
  std::unique_ptr<ReadOnlyFile> Open(const std::string& path) override;
  uint32_t LastOpenError() const override { return lastOpenError_; }
  FileTime Now() override;

 private:
  uint32_t lastOpenError_ = 0;
};

}  // namespace dictionary
