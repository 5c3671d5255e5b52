// An owned iconv conversion descriptor, for the tools that convert between the
// dictionary's code page 932 and the texts they read or print.
#pragma once

#include <iconv.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace text {

// The system has no conversion between the two encodings asked for.
class ConversionUnavailable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class IconvHandle {
 public:
  // Throws ConversionUnavailable when the system has no such conversion.
  IconvHandle(const char* to, const char* from);
  ~IconvHandle();
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;

  // Converts all of `in`, appending to `out`. Returns false on an invalid or
  // incomplete sequence and sets `failedAt` to its offset in `in`; the state is
  // reset either way, so the handle can be used again.
  bool Convert(std::string_view in, std::string& out, size_t& failedAt);

 private:
  iconv_t handle_;
};

}  // namespace text
