#include "dictionary/byte_source.h"

#include <algorithm>
#include <cstring>

namespace dictionary {

std::ptrdiff_t MemorySource::Read(char* into, size_t capacity) {
  size_t n = std::min({capacity, largestRead_, rest_.size()});
  if (n == 0) return 0;  // an empty dictionary has no data pointer to copy from
  std::memcpy(into, rest_.data(), n);
  rest_.remove_prefix(n);
  return static_cast<std::ptrdiff_t>(n);
}

}  // namespace dictionary
