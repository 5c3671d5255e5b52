#include "byte_source.h"

#include <algorithm>
#include <cstring>

namespace lookup {

FileSource::FileSource(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}

size_t FileSource::Read(char* into, size_t capacity) {
  if (!file_ || std::ferror(file_.get())) return 0;
  return std::fread(into, 1, capacity, file_.get());  // 0 at the end and after an error alike
}

size_t MemorySource::Read(char* into, size_t capacity) {
  size_t n = std::min({capacity, largestRead_, rest_.size()});
  if (n == 0) return 0;  // an empty dictionary has no data pointer to copy from
  std::memcpy(into, rest_.data(), n);
  rest_.remove_prefix(n);
  return n;
}

}  // namespace lookup
