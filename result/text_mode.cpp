#include "result/text_mode.h"

#include <algorithm>
#include <cstring>

namespace rowaction {
namespace {

// Large enough that a dictionary is read and written in few system calls.
constexpr std::size_t kBufferBytes = 64 * 1024;

}  // namespace

TextModeReader::TextModeReader(InputFile& file) : file_(file), buffer_(kBufferBytes) {}

bool TextModeReader::Ensure(std::size_t count) {
  while (Available() < count && !atFileEnd_) {
    if (pos_ > 0) {
      std::memmove(buffer_.data(), buffer_.data() + pos_, Available());
      end_ -= pos_;
      pos_ = 0;
    }
    const std::ptrdiff_t got = file_.Read(buffer_.data() + end_, buffer_.size() - end_);
    if (got < 0) return false;
    if (got == 0) atFileEnd_ = true;
    end_ += static_cast<std::size_t>(got);
  }
  return true;
}

TextModeReader::Status TextModeReader::NextPiece(std::string& piece, PieceEnd& end) {
  piece.clear();
  if (textEnded_) return Status::kEndOfText;
  for (;;) {
    if (!Ensure(1)) return Status::kError;
    if (Available() == 0 || buffer_[pos_] == kEndOfTextByte) {
      textEnded_ = true;
      end = PieceEnd::kEndOfText;
      return piece.empty() ? Status::kEndOfText : Status::kPiece;
    }
    if (piece.size() == kMaxPieceBytes) {
      // Looked ahead above, so a full piece that ends the text says so.
      end = PieceEnd::kLimit;
      return Status::kPiece;
    }
    // Take the run of ordinary bytes at once.
    const char* const from = buffer_.data() + pos_;
    const char* const limit = from + std::min(Available(), kMaxPieceBytes - piece.size());
    const char* to = from;
    while (to < limit && *to != '\n' && *to != '\r' && *to != kEndOfTextByte) ++to;
    piece.append(from, to);
    pos_ += static_cast<std::size_t>(to - from);
    if (to == limit) continue;

    if (*to == '\n') {
      piece.push_back('\n');
      ++pos_;
      end = PieceEnd::kLineEnd;
      return Status::kPiece;
    }
    if (*to == '\r') {
      if (!Ensure(2)) return Status::kError;
      if (Available() >= 2 && buffer_[pos_ + 1] == '\n') {
        piece.push_back('\n');
        pos_ += 2;
        end = PieceEnd::kLineEnd;
        return Status::kPiece;
      }
      piece.push_back('\r');  // a lone CR is text like any other byte
      ++pos_;
    }
    // 0x1A: handled at the top of the loop.
  }
}

TextModeWriter::TextModeWriter(OutputFile& file) : file_(file), buffer_(kBufferBytes) {}

void TextModeWriter::WriteText(std::string_view text) {
  static constexpr char kCrLf[] = "\r\n";
  while (!text.empty()) {
    const std::size_t lf = text.find('\n');
    Put(text.data(), std::min(lf, text.size()));
    if (lf == std::string_view::npos) return;
    Put(kCrLf, 2);
    text.remove_prefix(lf + 1);
  }
}

void TextModeWriter::WriteRaw(std::string_view bytes) { Put(bytes.data(), bytes.size()); }

void TextModeWriter::Put(const char* data, std::size_t size) {
  while (size > 0 && !failed_) {
    if (used_ == buffer_.size() && !Flush()) return;
    const std::size_t take = std::min(size, buffer_.size() - used_);
    std::memcpy(buffer_.data() + used_, data, take);
    used_ += take;
    data += take;
    size -= take;
  }
}

bool TextModeWriter::Flush() {
  if (failed_) return false;
  if (used_ > 0 && !file_.Write(buffer_.data(), used_)) failed_ = true;
  used_ = 0;
  return !failed_;
}

}  // namespace rowaction
