#include "dictionary/text_mode_writer.h"

#include <algorithm>
#include <cstring>

namespace dictionary {
namespace {

// Large enough that a dictionary is written in few system calls.
constexpr std::size_t kBufferBytes = 64 * 1024;

}  // namespace

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

}  // namespace dictionary
