// The dictionary as the Windows C runtime shows a file opened in text mode,
// cut into the pieces one fgets call with a 10240-byte buffer would return.
// Done here on raw bytes so that every platform sees the same text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace lookup {

// A read takes at most this many bytes: the line buffer holds 10240 with its
// terminating zero byte.
inline constexpr size_t kMaxPieceLength = 10239;

// Text mode ends the file at the first Ctrl+Z.
inline constexpr char kEndOfFileByte = 0x1A;

// One piece of a line, as bytes of the raw file. Its text is the raw bytes
// [begin, begin + length), except that with `crlf` the last byte reads as LF
// (the raw file has CR there, then LF). A piece never starts at the CR of a
// CR LF pair, so its first raw byte is its first byte of text.
struct Piece {
  size_t begin = 0;
  uint32_t length = 0;  // bytes of text, 1 to kMaxPieceLength
  bool crlf = false;
};

// Calls `visit(const Piece&)` for every piece of `raw`, in file order.
template <class Visit>
void ForEachPiece(std::string_view raw, Visit&& visit) {
  const char* const data = raw.data();
  const char* end = data + raw.size();
  if (const void* eof = std::memchr(data, kEndOfFileByte, raw.size())) {
    end = static_cast<const char*>(eof);
  }
  const char* p = data;
  while (p < end) {
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
    const char* lineEnd = lf ? lf + 1 : end;
    bool crlf = lf && lf > p && lf[-1] == '\r';
    size_t length = static_cast<size_t>(lineEnd - p) - crlf;
    while (length > kMaxPieceLength) {
      visit(Piece{static_cast<size_t>(p - data), static_cast<uint32_t>(kMaxPieceLength), false});
      p += kMaxPieceLength;
      length -= kMaxPieceLength;
    }
    if (crlf && length == 1) {  // a split fell between a line and its CR LF
      ++p;
      crlf = false;
    }
    visit(Piece{static_cast<size_t>(p - data), static_cast<uint32_t>(length), crlf});
    p = lineEnd;
  }
}

// The text of `piece`, as read.
std::string PieceText(std::string_view raw, const Piece& piece);

// The text a matching piece shows as a row: cut before its first ';', or
// before a zero byte, which ends a line's text.
std::string RowText(std::string_view raw, const Piece& piece);

}  // namespace lookup
