#include <iconv.h>
#include <locale.h>

#include <cerrno>

#include "tools/text/conversion.h"

namespace text {
namespace {

constexpr char kTransliterate[] = "//TRANSLIT";
// glibc's transliteration rules come from the locale; this one fixes them, so
// the output never depends on the user's locale.
constexpr char kTransliterationLocale[] = "C.UTF-8";

// glibc's transliteration reads the calling thread's locale.
class ThreadLocaleGuard {
 public:
  explicit ThreadLocaleGuard(locale_t use) : previous_(use ? uselocale(use) : static_cast<locale_t>(0)) {}
  ~ThreadLocaleGuard() {
    if (previous_) uselocale(previous_);
  }
  ThreadLocaleGuard(const ThreadLocaleGuard&) = delete;
  ThreadLocaleGuard& operator=(const ThreadLocaleGuard&) = delete;

 private:
  locale_t previous_;
};

}  // namespace

struct Conversion::State {
  iconv_t handle = reinterpret_cast<iconv_t>(-1);
  locale_t locale = static_cast<locale_t>(0);  // for kSubstitute only

  ~State() {
    if (handle != reinterpret_cast<iconv_t>(-1)) iconv_close(handle);
    if (locale) freelocale(locale);
  }
};

Conversion::Conversion(const char* to, const char* from, Unmappable unmappable) : state_(new State) {
  std::string target = to;
  if (unmappable == Unmappable::kSubstitute) {
    state_->locale = newlocale(LC_CTYPE_MASK, kTransliterationLocale, static_cast<locale_t>(0));
    if (!state_->locale)
      throw ConversionUnavailable(std::string("the ") + kTransliterationLocale + " locale is not installed");
    target += kTransliterate;
  }
  state_->handle = iconv_open(target.c_str(), from);
  if (state_->handle == reinterpret_cast<iconv_t>(-1))
    throw ConversionUnavailable(std::string("the system's iconv cannot convert from ") + from + " to " + to);
}

Conversion::~Conversion() = default;

bool Conversion::Convert(std::string_view in, std::string& out, size_t& failedAt) {
  ThreadLocaleGuard guard(state_->locale);
  iconv_t handle = state_->handle;
  iconv(handle, nullptr, nullptr, nullptr, nullptr);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char chunk[4096];
  for (;;) {
    char* dst = chunk;
    size_t dstLeft = sizeof chunk;
    size_t rc = iconv(handle, srcLeft ? &src : nullptr, &srcLeft, &dst, &dstLeft);
    int err = errno;
    out.append(chunk, dst);
    if (rc != static_cast<size_t>(-1)) {
      if (srcLeft == 0) {
        // Flush any shift state; none of our encodings have one, but be correct.
        dst = chunk;
        dstLeft = sizeof chunk;
        iconv(handle, nullptr, nullptr, &dst, &dstLeft);
        out.append(chunk, dst);
        return true;
      }
      continue;
    }
    if (err == E2BIG) continue;
    failedAt = in.size() - srcLeft;
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    return false;
  }
}

}  // namespace text
