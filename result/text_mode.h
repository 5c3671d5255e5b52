// The dictionary's text mode, done on raw bytes so every platform sees the same
// text: on reading CR LF becomes LF, a lone CR stays and 0x1A ends the text; on
// writing LF becomes CR LF. The text is read in the pieces the lookup sees.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "result/file_system.h"

namespace rowaction {

// A line is read through a 10240-byte buffer that keeps one byte for its NUL,
// so a longer line comes in pieces of at most this many bytes.
inline constexpr std::size_t kMaxPieceBytes = 10239;

inline constexpr char kEndOfTextByte = 0x1A;

// Why a piece ended.
enum class PieceEnd {
  kLineEnd,    // with its LF, the piece's last byte
  kLimit,      // after kMaxPieceBytes bytes, inside a longer line
  kEndOfText,  // at the end of the file or at 0x1A, without LF
};

class TextModeReader {
 public:
  explicit TextModeReader(InputFile& file);

  enum class Status { kPiece, kEndOfText, kError };

  // The next piece of the text (never empty), or the end of the text.
  Status NextPiece(std::string& piece, PieceEnd& end);

  // After the end of the text: the raw bytes from the 0x1A on, if any, in
  // chunks, to `sink` (a callable taking std::string_view and returning bool).
  // False on a read error or when the sink refuses.
  template <typename Sink>
  bool CopyRemainder(Sink&& sink);

 private:
  // Makes at least `count` unread bytes available unless the file ends first.
  bool Ensure(std::size_t count);
  std::size_t Available() const { return end_ - pos_; }

  InputFile& file_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool atFileEnd_ = false;
  bool textEnded_ = false;
};

// Buffers its output; after the first failed write it writes nothing more.
class TextModeWriter {
 public:
  explicit TextModeWriter(OutputFile& file);

  void WriteText(std::string_view text);  // LF goes out as CR LF
  void WriteRaw(std::string_view bytes);
  bool Flush();
  bool Failed() const { return failed_; }

 private:
  void Put(const char* data, std::size_t size);

  OutputFile& file_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
};

template <typename Sink>
bool TextModeReader::CopyRemainder(Sink&& sink) {
  if (!textEnded_) return false;
  for (;;) {
    if (Available() > 0) {
      if (!sink(std::string_view(buffer_.data() + pos_, Available()))) return false;
      pos_ = end_;
    }
    if (atFileEnd_) return true;
    if (!Ensure(1)) return false;
  }
}

}  // namespace rowaction
