#include "dictionary_file.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace lookup {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

constexpr size_t kFallbackCapacity = 64 * 1024;
constexpr long kLargestTrustedSize = 1L << 30;

// The size to read at first; the file may still grow or shrink before the
// read, and some files report no real size (a directory on Linux reports
// the largest offset there is).
size_t SizeHint(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return 0;
  long size = std::ftell(file);  // fails beyond 2 GB on Windows: then we grow
  std::rewind(file);
  return size > 0 && size <= kLargestTrustedSize ? static_cast<size_t>(size) : 0;
}

}  // namespace

std::optional<FileBytes> ReadDictionaryFile(const std::string& path) {
  UniqueFile file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;

  // One byte more than the hint, so a file read to its end is seen to end
  // without a second buffer. Memory that can't be had ends the read like a
  // read error: the lookup goes on with what was read.
  size_t hint = SizeHint(file.get());
  size_t capacity = hint > 0 ? hint + 1 : kFallbackCapacity;
  FileBytes bytes;
  bytes.data_.reset(new (std::nothrow) char[capacity]);
  if (!bytes.data_) {
    capacity = kFallbackCapacity;
    bytes.data_.reset(new (std::nothrow) char[capacity]);
    if (!bytes.data_) return bytes;
  }
  for (;;) {
    bytes.size_ += std::fread(bytes.data_.get() + bytes.size_, 1, capacity - bytes.size_, file.get());
    if (bytes.size_ < capacity) break;  // end of file, or a read error: either ends the read
    size_t larger = capacity * 2;
    std::unique_ptr<char[]> grown(new (std::nothrow) char[larger]);
    if (!grown) break;
    std::memcpy(grown.get(), bytes.data_.get(), bytes.size_);
    bytes.data_ = std::move(grown);
    capacity = larger;
  }
  return bytes;
}

}  // namespace lookup
