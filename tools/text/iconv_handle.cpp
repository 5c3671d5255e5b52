#include "tools/text/iconv_handle.h"

#include <cerrno>

namespace text {

IconvHandle::IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {
  if (handle_ == reinterpret_cast<iconv_t>(-1))
    throw ConversionUnavailable(std::string("the system's iconv cannot convert from ") + from + " to " + to);
}

IconvHandle::~IconvHandle() { iconv_close(handle_); }

bool IconvHandle::Convert(std::string_view in, std::string& out, size_t& failedAt) {
  iconv(handle_, nullptr, nullptr, nullptr, nullptr);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char chunk[4096];
  for (;;) {
    char* dst = chunk;
    size_t dstLeft = sizeof chunk;
    size_t rc = iconv(handle_, srcLeft ? &src : nullptr, &srcLeft, &dst, &dstLeft);
    int err = errno;
    out.append(chunk, dst);
    if (rc != static_cast<size_t>(-1)) {
      if (srcLeft == 0) {
        // Flush any shift state; none of our encodings have one, but be correct.
        dst = chunk;
        dstLeft = sizeof chunk;
        iconv(handle_, nullptr, nullptr, &dst, &dstLeft);
        out.append(chunk, dst);
        return true;
      }
      continue;
    }
    if (err == E2BIG) continue;
    failedAt = in.size() - srcLeft;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    return false;
  }
}

}  // namespace text
