#include "dictionary/byte_source.h"

#include <algorithm>
#include <cstring>

namespace dictionary {

FileSource::FileSource(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}

std::ptrdiff_t FileSource::Read(char* into, size_t capacity) {
  if (!file_ || std::ferror(file_.get())) return -1;
  size_t read = std::fread(into, 1, capacity, file_.get());
  if (read == 0 && std::ferror(file_.get())) return -1;
  return static_cast<std::ptrdiff_t>(read);
}

std::ptrdiff_t MemorySource::Read(char* into, size_t capacity) {
  size_t n = std::min({capacity, largestRead_, rest_.size()});
  if (n == 0) return 0;  // an empty dictionary has no data pointer to copy from
  std::memcpy(into, rest_.data(), n);
  rest_.remove_prefix(n);
  return static_cast<std::ptrdiff_t>(n);
}

}  // namespace dictionary
