// An owned iconv conversion descriptor.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

namespace import {

class IconvHandle {
 public:
  // Throws ImportError when the system has no such conversion.
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

}  // namespace import
