#include "tests/support/text_mode_stream.h"

#include <cerrno>
#include <cstring>
#include <memory>

namespace lookup::reference {
namespace {

constexpr int kCtrlZ = 0x1A;
constexpr int kNothingPending = -2;

// Where the raw bytes come from: a binary-mode file read in blocks, as the
// runtime does, or memory.
class RawSource {
 public:
  static constexpr int kReadError = -3;

  explicit RawSource(std::FILE* file) : file_(file), block_(new char[kBlockSize]) {}
  explicit RawSource(std::string_view memory) : available_(memory) {}
  ~RawSource() {
    if (file_) std::fclose(file_);
  }

  // The next raw byte, EOF at the end, or kReadError.
  int Next() {
    if (position_ == available_.size()) {
      if (!file_) return EOF;
      size_t n = std::fread(block_.get(), 1, kBlockSize, file_);
      if (n == 0) return std::ferror(file_) ? kReadError : EOF;
      available_ = std::string_view(block_.get(), n);
      position_ = 0;
    }
    return static_cast<unsigned char>(available_[position_++]);
  }

 private:
  static constexpr size_t kBlockSize = 64 * 1024;
  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> block_;
  std::string_view available_;
  size_t position_ = 0;
};

struct TextModeCookie {
  std::unique_ptr<RawSource> source;
  bool ended = false;
  int pending = kNothingPending;  // a byte read ahead after a CR
};

ssize_t ReadTextMode(void* cookie, char* buffer, size_t size) {
  auto* state = static_cast<TextModeCookie*>(cookie);
  size_t n = 0;
  while (n < size && !state->ended) {
    int c = state->pending;
    state->pending = kNothingPending;
    if (c == kNothingPending) c = state->source->Next();
    if (c == RawSource::kReadError) {
      errno = EIO;
      return -1;
    }
    if (c == EOF || c == kCtrlZ) {
      state->ended = true;
      break;
    }
    if (c == '\r') {
      int next = state->source->Next();
      if (next == '\n') {
        c = '\n';
      } else {
        state->pending = next;
      }
    }
    buffer[n++] = static_cast<char>(c);
  }
  return static_cast<ssize_t>(n);
}

int CloseTextMode(void* cookie) {
  delete static_cast<TextModeCookie*>(cookie);
  return 0;
}

std::FILE* Open(std::unique_ptr<RawSource> source) {
  auto state = std::make_unique<TextModeCookie>();
  state->source = std::move(source);
  cookie_io_functions_t functions{};
  functions.read = ReadTextMode;
  functions.close = CloseTextMode;
  std::FILE* stream = fopencookie(state.get(), "r", functions);
  if (!stream) return nullptr;
  state.release();  // the stream owns it now
  return stream;
}

}  // namespace

std::FILE* OpenTextMode(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return nullptr;
  return Open(std::make_unique<RawSource>(file));
}

std::FILE* OpenTextMode(std::string_view raw) {
  return Open(std::make_unique<RawSource>(raw));
}

}  // namespace lookup::reference
