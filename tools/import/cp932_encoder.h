// Encodes UTF-8 text as code page 932 for a dictionary line.
//
// A dictionary line may not carry a ';' by accident (it hides the rest of the
// line) nor control bytes (a TAB would move the headword's end, a 0x1A ends
// the file in text mode), and it can only hold what code page 932 holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "tools/text/conversion.h"

namespace import {

// Whether `c` begins a double-byte character of code page 932.
inline bool IsCp932LeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

struct EncodeCounts {
  int64_t equivalents = 0;  // characters written as a close equivalent
  int64_t unmappable = 0;   // characters written as '?'
  int64_t semicolons = 0;   // ';' written as the full-width '；'
  int64_t controls = 0;     // control characters written as a space
};

class Cp932Encoder {
 public:
  // Throws text::ConversionUnavailable when the system lacks a conversion.
  Cp932Encoder();
  Cp932Encoder(const Cp932Encoder&) = delete;
  Cp932Encoder& operator=(const Cp932Encoder&) = delete;

  // The code page 932 form of `utf8`; nullopt when `utf8` is not valid UTF-8.
  std::optional<std::string> Encode(std::string_view utf8);

  bool IsValidUtf8(std::string_view text);

  const EncodeCounts& Counts() const { return counts_; }

 private:
  enum class Kind { kExact, kEquivalent, kUnmappable };
  struct Mapping {
    std::string bytes;
    Kind kind;
  };

  const Mapping& Map(char32_t cp);
  Mapping Compute(char32_t cp);
  void AppendAscii(char32_t cp, std::string& out);

  text::Conversion toUcs4_;     // UTF-8 to code points
  text::Conversion toCp932_;    // code points to CP932, exact or failing
  text::Conversion fromCp932_;  // CP932 back to code points, to tell exact from equivalent
  text::Conversion translit_;   // code points to CP932, a close equivalent or '?'
  std::string fullWidthSemicolon_;
  std::unordered_map<char32_t, Mapping> cache_;
  EncodeCounts counts_;
};

}  // namespace import
