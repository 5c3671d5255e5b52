// A text file as UTF-8, from whichever encoding it is in: UTF-16 with its
// byte order mark, UTF-8 with or without one, or Shift-JIS (code page 932).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace import {

enum class SourceEncoding {
  kAuto,  // UTF-8 when the bytes are valid UTF-8, otherwise code page 932
  kUtf8,
  kCp932,
};

// "auto", "utf-8", "cp932" (or "shift_jis"); nullopt for anything else.
std::optional<SourceEncoding> ParseSourceEncoding(std::string_view name);

struct SourceText {
  std::string utf8;      // without the byte order mark; line ends as they were
  std::string encoding;  // what it was read as, for the report
};

// The text of the file `path` holding `bytes`. A UTF-16 byte order mark
// decides over `encoding`; so does a UTF-8 one unless `encoding` is kCp932.
// Throws ImportError naming `path` and the line when the bytes are not valid
// in the encoding, or hold a NUL (a sign of UTF-16 without its mark, or of
// no text at all).
SourceText DecodeSourceText(const std::string& path, std::string_view bytes, SourceEncoding encoding);

// The 1-based number of the line that `before` ends in; LF, CR LF and CR each
// end a line.
size_t LineNumberAfter(std::string_view before);

}  // namespace import
