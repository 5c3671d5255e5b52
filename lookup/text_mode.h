// The dictionary as the Windows C runtime shows a file opened in text mode,
// cut into the pieces one fgets call with a 10240-byte buffer would return:
// CR LF reads as LF, a lone CR stays, Ctrl+Z ends the file, and a read takes
// at most 10239 bytes. Done here on raw bytes so that every platform sees the
// same text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "byte_source.h"
#include "line_feeds.h"

namespace lookup {

inline constexpr size_t kMaxPieceLength = 10239;
inline constexpr char kEndOfFileByte = 0x1A;

// One piece as read. Its text is bytes[0, length), except that with `crlf`
// the last byte reads as LF (the raw file has CR there, then LF). `bytes` is
// valid only while the piece is being visited.
struct Piece {
  const unsigned char* bytes;
  uint32_t length;  // 1 to kMaxPieceLength
  bool crlf;
};

// The text of `piece`, as read.
std::string PieceText(const Piece& piece);

// The text a matching line shows as a row: cut before its first ';', or
// before a zero byte, which ends a line's text.
std::string_view RowText(std::string_view pieceText);

// Which pieces a reader must show, by their first two bytes of text; others
// may be shown too. A piece of one byte is always shown.
class PieceFilter {
 public:
  void AllowAll() { bits_.fill(~uint64_t{0}); }
  void Allow(unsigned char first) {
    for (int second = 0; second < 256; ++second) Allow(first, static_cast<unsigned char>(second));
  }
  void Allow(unsigned char first, unsigned char second) {
    Set(first, second);
    if (second == '\n') Set(first, '\r');  // the raw file may have CR LF there
  }
  bool Allows(unsigned char first, unsigned char second) const {
    unsigned index = first << 8 | second;
    return (bits_[index >> 6] >> (index & 63)) & 1;
  }

 private:
  void Set(unsigned char first, unsigned char second) {
    unsigned index = first << 8 | second;
    bits_[index >> 6] |= uint64_t{1} << (index & 63);
  }
  std::array<uint64_t, 65536 / 64> bits_{};
};

// Reads `source` to its end (or to a read error) in blocks, and calls
// `visit(const Piece&)` for the pieces that pass `filter`, in file order. Each
// block is scanned right after it is read, while it is still in the
// processor's cache; most lines cost a look at their first two bytes.
template <class Visit>
void ForEachPiece(ByteSource& source, const PieceFilter& filter, Visit&& visit) {
  constexpr size_t kBlockSize = 128 * 1024;
  // An unfinished line is kept in front of the next block; it is never longer
  // than a piece, since full pieces leave as soon as they are known.
  constexpr size_t kCarryCapacity = kMaxPieceLength + 1;
  std::unique_ptr<char[]> buffer(new char[kCarryCapacity + kBlockSize]);
  char* const data = buffer.get();

  auto emit = [&](size_t begin, uint32_t length, bool crlf) {
    visit(Piece{reinterpret_cast<const unsigned char*>(data + begin), length, crlf});
  };
  // The line data[begin, end), which ends with LF when `hasLineFeed`. Kept
  // out of the per-line loop, which most lines leave at their first bytes.
  auto emitLine = [&](size_t begin, size_t end, bool hasLineFeed) __attribute__((noinline)) {
    bool crlf = hasLineFeed && end - begin >= 2 && data[end - 2] == '\r';
    size_t length = end - begin - crlf;
    while (length > kMaxPieceLength) {
      emit(begin, static_cast<uint32_t>(kMaxPieceLength), false);
      begin += kMaxPieceLength;
      length -= kMaxPieceLength;
    }
    if (crlf && length == 1) {  // a cut fell between a line and its CR LF
      ++begin;
      crlf = false;
    }
    emit(begin, static_cast<uint32_t>(length), crlf);
  };

  size_t carry = 0;
  for (;;) {
    size_t read = source.Read(data + carry, kBlockSize);
    size_t size = carry + read;
    bool ended = read == 0;
    if (const void* eof = std::memchr(data + carry, kEndOfFileByte, read)) {
      size = static_cast<size_t>(static_cast<const char*>(eof) - data);
      ended = true;
    }
    size_t lineBegin = 0;
    ForEachLineFeed(data, carry, size, [&](size_t lf) __attribute__((always_inline)) {
      size_t begin = lineBegin;
      lineBegin = lf + 1;
      // Only a line of one piece whose first byte is its first byte of text
      // is filtered (a CR might be dropped, a long line is cut).
      size_t length = lineBegin - begin;
      if (length >= 2 && length <= kMaxPieceLength && data[begin] != '\r' &&
          !filter.Allows(static_cast<unsigned char>(data[begin]), static_cast<unsigned char>(data[begin + 1]))) {
        return;
      }
      emitLine(begin, lineBegin, true);
    });
    if (ended) {
      if (lineBegin < size) emitLine(lineBegin, size, false);
      return;
    }
    // With a byte after them known not to be LF, these bytes are a full piece
    // whatever follows.
    while (size - lineBegin >= kCarryCapacity) {
      emit(lineBegin, static_cast<uint32_t>(kMaxPieceLength), false);
      lineBegin += kMaxPieceLength;
    }
    carry = size - lineBegin;
    std::memmove(data, data + lineBegin, carry);
  }
}

}  // namespace lookup
