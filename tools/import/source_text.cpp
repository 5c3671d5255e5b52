#include "source_text.h"

#include <algorithm>

#include "import_error.h"
#include "text_util.h"
#include "tools/text/conversion.h"

namespace import {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// Converts `bytes` from `from` to UTF-8; on failure, `failedLine` is the line
// of the first byte that could not be converted.
bool ToUtf8(const char* from, std::string_view bytes, std::string& out, size_t& failedLine) {
  text::Conversion convert(text::kUtf8, from);
  size_t failedAt = 0;
  out.clear();
  if (convert.Convert(bytes, out, failedAt)) return true;
  failedLine = LineNumberAfter(out);  // what was converted ends where the failure is
  return false;
}

std::string Where(const std::string& path, size_t line) { return path + ": line " + std::to_string(line); }

ImportError NotValid(const std::string& path, size_t line, const std::string& why) {
  return ImportError(Where(path, line) + ": " + why, Problem::kBadEncoding, path, line);
}

ImportError NulByte(const std::string& path, size_t line) {
  return ImportError(Where(path, line) + ": holds a NUL byte; is it text? (UTF-16 needs its byte order mark)",
                     Problem::kBinary, path, line);
}

// UTF-16 without its mark shows as NULs in every other byte of ASCII text.
bool LooksLikeUtf16(std::string_view bytes) {
  constexpr size_t kLooked = 64;
  const std::string_view start = bytes.substr(0, kLooked & ~size_t{1});
  if (start.size() < 2) return false;
  size_t evenNuls = 0, oddNuls = 0;
  for (size_t i = 0; i < start.size(); ++i) (i % 2 ? oddNuls : evenNuls) += start[i] == '\0';
  const size_t half = start.size() / 2;
  return (oddNuls > half / 2 && evenNuls == 0) || (evenNuls > half / 2 && oddNuls == 0);
}

}  // namespace

std::optional<SourceEncoding> ParseSourceEncoding(std::string_view name) {
  if (name == "auto") return SourceEncoding::kAuto;
  if (name == "utf-8" || name == "utf8" || name == "UTF-8") return SourceEncoding::kUtf8;
  if (name == "cp932" || name == "CP932" || name == "shift_jis" || name == "Shift_JIS" || name == "sjis")
    return SourceEncoding::kCp932;
  return std::nullopt;
}

size_t LineNumberAfter(std::string_view before) {
  size_t line = 1;
  for (size_t i = 0; i < before.size(); ++i)
    if (before[i] == '\n' || (before[i] == '\r' && (i + 1 == before.size() || before[i + 1] != '\n'))) ++line;
  return line;
}

SourceText DecodeSourceText(const std::string& path, std::string_view bytes, SourceEncoding encoding) {
  SourceText text;
  size_t failedLine = 0;
  const bool utf16le = StartsWith(bytes, kUtf16LeBom), utf16be = StartsWith(bytes, kUtf16BeBom);
  if (!utf16le && !utf16be) {
    // Before decoding: a decoding failure would hide the better clue.
    const size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos) {
      const size_t line = LineNumberAfter(bytes.substr(0, nul));
      if (LooksLikeUtf16(bytes))
        throw ImportError(Where(path, line) + ": holds a NUL byte: it looks like UTF-16 without its byte order mark",
                          Problem::kUtf16WithoutBom, path, line);
      throw NulByte(path, line);
    }
  }
  if (utf16le || utf16be) {
    text.encoding = utf16le ? "UTF-16LE" : "UTF-16BE";
    if (!ToUtf8(text.encoding.c_str(), bytes.substr(kUtf16LeBom.size()), text.utf8, failedLine))
      throw NotValid(path, failedLine, "not valid " + text.encoding + " (or the file ends inside a character)");
  } else if (encoding != SourceEncoding::kCp932 && StartsWith(bytes, kUtf8Bom)) {
    text.encoding = "UTF-8";
    if (!ToUtf8("UTF-8", bytes.substr(kUtf8Bom.size()), text.utf8, failedLine))
      throw NotValid(path, failedLine, "not valid UTF-8, though the file begins as UTF-8 does");
  } else if (encoding == SourceEncoding::kUtf8) {
    text.encoding = "UTF-8";
    if (!ToUtf8("UTF-8", bytes, text.utf8, failedLine))
      throw NotValid(path, failedLine, "not valid UTF-8 (try --encoding cp932)");
  } else if (encoding == SourceEncoding::kCp932) {
    text.encoding = "Shift-JIS (code page 932)";
    if (!ToUtf8("CP932", bytes, text.utf8, failedLine))
      throw NotValid(path, failedLine, "not valid Shift-JIS (code page 932)");
  } else {
    size_t cp932Line = 0;
    if (ToUtf8("UTF-8", bytes, text.utf8, failedLine)) {
      text.encoding = "UTF-8";
    } else if (ToUtf8("CP932", bytes, text.utf8, cp932Line)) {
      text.encoding = "Shift-JIS (code page 932)";
    } else {
      throw ImportError(path + ": neither UTF-8 (line " + std::to_string(failedLine) +
                            " is not) nor Shift-JIS (line " + std::to_string(cp932Line) +
                            " is not); UTF-16 needs its byte order mark",
                        // The encoding that got further is likely the one meant.
                        Problem::kBadEncoding, path, std::max(failedLine, cp932Line));
    }
  }
  const size_t nul = text.utf8.find('\0');
  if (nul != std::string::npos) throw NulByte(path, LineNumberAfter(std::string_view(text.utf8).substr(0, nul)));
  return text;
}

}  // namespace import
