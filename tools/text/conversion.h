// Conversions between the dictionary's code page 932 and the encodings the
// tools read and print. The same interface has two makers: iconv on POSIX
// systems (iconv_conversion.cpp) and the system's own code pages on Windows
// (windows_conversion.cpp), so the Windows tools need no iconv.
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace text {

// The encodings, by the names iconv gives them; both makers know these.
inline constexpr char kUtf8[] = "UTF-8";
inline constexpr char kCp932[] = "CP932";
inline constexpr char kUtf16Le[] = "UTF-16LE";
inline constexpr char kUtf16Be[] = "UTF-16BE";
// On Windows the characters of its third set (JIS X 0212, which code page
// 932 lacks too) read as U+FFFD: the system has no table for them.
inline constexpr char kEucJp[] = "EUC-JP";
inline constexpr char kUcs4Le[] = "UCS-4LE";  // one code point in four bytes

// What the terminal shows: UTF-8 on POSIX systems; on Windows the console's
// code page, 932 on the Japanese systems the tools are made for.
#ifdef _WIN32
inline constexpr char kTerminal[] = "CP932";
#else
inline constexpr char kTerminal[] = "UTF-8";
#endif

// The system has no conversion between the two encodings asked for.
class ConversionUnavailable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What becomes of a character the target encoding lacks.
enum class Unmappable {
  kFail,
  // A close equivalent, or '?': each system has its own table for this
  // (glibc's transliteration in the C.UTF-8 locale, Windows' best fit).
  kSubstitute,
};

class Conversion {
 public:
  // Throws ConversionUnavailable when the system has no such conversion.
  Conversion(const char* to, const char* from, Unmappable unmappable = Unmappable::kFail);
  ~Conversion();
  Conversion(const Conversion&) = delete;
  Conversion& operator=(const Conversion&) = delete;

  // Converts all of `in`, appending to `out`. Returns false on an invalid or
  // incomplete sequence (or, with kFail, a character the target lacks) and
  // sets `failedAt` to its offset in `in`; `out` then holds the conversion of
  // everything before it. The conversion can be used again either way.
  bool Convert(std::string_view in, std::string& out, size_t& failedAt);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace text
