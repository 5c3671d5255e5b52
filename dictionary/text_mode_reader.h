// The dictionary as the Windows C runtime shows a file opened in text mode,
// cut into the pieces one fgets call with a 10240-byte buffer would return:
// CR LF reads as LF, a lone CR stays, Ctrl+Z ends the file, and a read takes
// at most 10239 bytes. Done here on raw bytes so that every platform sees the
// same text. The lookup and the dictionary rewrite both read through this.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <type_traits>
#include <utility>

#include "dictionary/byte_source.h"
#include "dictionary/line_feeds.h"

namespace dictionary {

inline constexpr size_t kMaxPieceLength = 10239;
inline constexpr char kEndOfFileByte = 0x1A;

// Why a piece ended.
enum class PieceEnd : uint8_t {
  kLineEnd,    // with its LF, the piece's last byte
  kLimit,      // after kMaxPieceLength bytes, inside a longer line
  kEndOfText,  // at the end of the text, without LF
};

// One piece as read, a CR LF already read as LF. `text` is valid only while
// the piece is being visited.
struct Piece {
  std::string_view text;  // 1 to kMaxPieceLength bytes
  PieceEnd end;
  uint64_t offset;  // of its first byte in the raw file
};

// How the text ended.
enum class TextEnd {
  kEndOfFile,
  kEndOfFileByte,  // at a 0x1A; the raw bytes from it on are still unread
  kReadError,      // the text read before the error was visited as if it ended there
  kStopped,        // the visitor asked to stop
};

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

// A piece read again from the raw bytes at its offset, which give the text
// ForEachPiece gave it as long as the file is unchanged. `raw` holds at least
// kMaxPieceLength + 1 bytes from that offset on, or all the rest of the file
// (`toTheEnd`); with fewer the piece is not complete.
struct RawPiece {
  std::string_view bytes;  // the text as it stands in the file, a final CR LF left out
  bool crLf = false;       // the text ends with an LF read from that CR LF
  bool complete = false;   // false: `raw` was too short to tell where the piece ends
};

inline RawPiece PieceAt(std::string_view raw, bool toTheEnd) {
  const size_t limit = raw.size() < kMaxPieceLength + 1 ? raw.size() : kMaxPieceLength + 1;
  const size_t end = FindByte(raw.data(), limit, '\n');
  const bool lineFeed = end < limit;
  const size_t endOfFile = FindByte(raw.data(), end, kEndOfFileByte);
  if (endOfFile < end) return {raw.substr(0, endOfFile), false, true};
  if (lineFeed) {
    if (end > 0 && raw[end - 1] == '\r') return {raw.substr(0, end - 1), true, true};
    // An LF past the limit begins the next piece.
    return {raw.substr(0, end < kMaxPieceLength ? end + 1 : kMaxPieceLength), false, true};
  }
  if (raw.size() > kMaxPieceLength) return {raw.substr(0, kMaxPieceLength), false, true};
  return {raw, false, toTheEnd};
}

// Reads one source once: its text piece by piece, then, for a rewrite that
// must keep them, the raw bytes after the text.
class TextModeReader {
 public:
  explicit TextModeReader(ByteSource& source)
      : source_(source), buffer_(new char[kCarryCapacity + kBlockSize]) {}

  // Reads the text to its end and calls `visit(const Piece&)` for the pieces
  // that pass `filter`, in file order. When `visit` returns bool, false stops
  // the reading. Each block is scanned right after it is read, while it is
  // still in the processor's cache; most lines cost a look at their first two
  // bytes. Call once.
  template <class Visit>
  TextEnd ForEachPiece(const PieceFilter& filter, Visit&& visit);

  // After the text ended at a 0x1A: the raw bytes from the 0x1A to the end of
  // the source, in chunks, to `sink(std::string_view)`, which returns false to
  // give up. True when all were taken (none follow an end of file); false on a
  // read error, when the sink gave up, or when the text did not end normally.
  // Call once, after ForEachPiece.
  template <class Sink>
  bool CopyRest(Sink&& sink);

 private:
  static constexpr size_t kBlockSize = 128 * 1024;
  // An unfinished line is kept in front of the next block; it is never longer
  // than a piece, since full pieces leave as soon as they are known.
  static constexpr size_t kCarryCapacity = kMaxPieceLength + 1;

  ByteSource& source_;
  std::unique_ptr<char[]> buffer_;
  TextEnd end_ = TextEnd::kStopped;  // until the text has been read
  size_t restBegin_ = 0;             // raw bytes after the text, still in buffer_
  size_t restEnd_ = 0;
};

// One reading of `source`, for a caller that wants the pieces only.
template <class Visit>
TextEnd ForEachPiece(ByteSource& source, const PieceFilter& filter, Visit&& visit) {
  return TextModeReader(source).ForEachPiece(filter, std::forward<Visit>(visit));
}

template <class Visit>
TextEnd TextModeReader::ForEachPiece(const PieceFilter& filter, Visit&& visit) {
  constexpr bool kMayStop = std::is_same_v<std::invoke_result_t<Visit&, const Piece&>, bool>;
  char* const data = buffer_.get();
  bool stopped = false;

  uint64_t dataOffset = 0;  // of data[0] in the raw source
  auto emit = [&](size_t begin, size_t length, PieceEnd end) {
    const Piece piece{std::string_view(data + begin, length), end, dataOffset + begin};
    if constexpr (kMayStop) {
      if (!stopped) stopped = !visit(piece);
    } else {
      visit(piece);
    }
  };
  // The line data[begin, end), which ends with LF when `lastEnd` says so.
  // Kept out of the per-line loop, which most lines leave at their first bytes.
  auto emitLine = [&](size_t begin, size_t end, PieceEnd lastEnd) __attribute__((noinline)) {
    if (lastEnd == PieceEnd::kLineEnd && end - begin >= 2 && data[end - 2] == '\r') {
      data[end - 2] = '\n';  // CR LF reads as LF; the raw LF is left behind
      --end;
    }
    while (end - begin > kMaxPieceLength) {
      emit(begin, kMaxPieceLength, PieceEnd::kLimit);
      begin += kMaxPieceLength;
    }
    emit(begin, end - begin, lastEnd);
  };

  size_t carry = 0;
  for (;;) {
    const std::ptrdiff_t got = source_.Read(data + carry, kBlockSize);
    const size_t read = got > 0 ? static_cast<size_t>(got) : 0;
    size_t size = carry + read;
    TextEnd ended = got < 0 ? TextEnd::kReadError : TextEnd::kEndOfFile;
    bool last = got <= 0;
    // Not memchr: the C runtime the program is built against looks at one byte at a time.
    if (const size_t eof = carry + FindByte(data + carry, read, kEndOfFileByte); eof < carry + read) {
      size = eof;
      ended = TextEnd::kEndOfFileByte;
      last = true;
      restBegin_ = size;
      restEnd_ = carry + read;
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
      emitLine(begin, lineBegin, PieceEnd::kLineEnd);
    });
    if (last) {
      if (lineBegin < size) emitLine(lineBegin, size, PieceEnd::kEndOfText);
      end_ = stopped ? TextEnd::kStopped : ended;
      return end_;
    }
    if (stopped) return end_ = TextEnd::kStopped;
    // With a byte after them known not to be LF, these bytes are a full piece
    // whatever follows.
    while (size - lineBegin >= kCarryCapacity) {
      emit(lineBegin, kMaxPieceLength, PieceEnd::kLimit);
      lineBegin += kMaxPieceLength;
    }
    carry = size - lineBegin;
    std::memmove(data, data + lineBegin, carry);
    dataOffset += lineBegin;
  }
}

template <class Sink>
bool TextModeReader::CopyRest(Sink&& sink) {
  if (end_ == TextEnd::kEndOfFile) return true;
  if (end_ != TextEnd::kEndOfFileByte) return false;
  char* const data = buffer_.get();
  size_t begin = restBegin_;
  size_t end = restEnd_;
  for (;;) {
    if (begin < end && !sink(std::string_view(data + begin, end - begin))) return false;
    const std::ptrdiff_t got = source_.Read(data, kCarryCapacity + kBlockSize);
    if (got <= 0) return got == 0;
    begin = 0;
    end = static_cast<size_t>(got);
  }
}

}  // namespace dictionary
