#include "gzip_file.h"

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <cstdio>
#include <memory>

#include "dictionary/native_file_system.h"
#include "import_error.h"
#include "text_util.h"

namespace import {
namespace {

constexpr int kGzipWindowBits = 15 + 16;  // largest window, gzip header and trailer only
constexpr std::string_view kGzipMagic = "\x1f\x8b";

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

class InflateStream {
 public:
  InflateStream() {
    std::memset(&z_, 0, sizeof z_);
    ok_ = inflateInit2(&z_, kGzipWindowBits) == Z_OK;
  }
  ~InflateStream() {
    if (ok_) inflateEnd(&z_);
  }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;

  bool ok() const { return ok_; }
  z_stream& z() { return z_; }

 private:
  z_stream z_;
  bool ok_;
};

// The line of the text that decompressing reached; 0 before the first.
size_t LineReached(const std::string& text) { return text.empty() ? 0 : LineNumberAt(text, text.size() - 1); }

std::string Inflate(const std::string& path, const std::string& packed) {
  InflateStream stream;
  if (!stream.ok()) throw ImportError(path + ": zlib could not start");
  z_stream& z = stream.z();
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  z.avail_in = static_cast<uInt>(packed.size());

  std::string out;
  char chunk[1 << 16];
  for (;;) {
    z.next_out = reinterpret_cast<Bytef*>(chunk);
    z.avail_out = sizeof chunk;
    int rc = inflate(&z, Z_NO_FLUSH);
    out.append(chunk, sizeof chunk - z.avail_out);
    if (rc == Z_STREAM_END) {
      if (z.avail_in == 0) return out;
      // gzip allows further members after the first one.
      if (inflateReset(&z) != Z_OK) throw ImportError(path + ": damaged gzip data", Problem::kDamaged, path);
      continue;
    }
    if (rc == Z_OK) continue;
    if (rc == Z_BUF_ERROR && z.avail_in == 0) {
      const size_t line = LineReached(out);
      throw ImportError(path + ": truncated gzip data (the file ends too early" +
                            (line ? ", in line " + std::to_string(line) + " of its text" : "") + ")",
                        Problem::kTruncated, path, line);
    }
    throw ImportError(path + ": damaged gzip data" + (z.msg ? std::string(" (") + z.msg + ")" : ""),
                      Problem::kDamaged, path);
  }
}

}  // namespace

bool FileExists(const std::string& path) { return dictionary::NativeFileSystem().Exists(path); }

std::string ReadWholeFile(const std::string& path) {
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) throw ImportError(path + ": cannot open: " + std::strerror(errno), Problem::kCannotRead, path);
  std::string bytes;
  char chunk[1 << 16];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, got);
  if (std::ferror(file.get()))
    throw ImportError(path + ": cannot read: " + std::strerror(errno), Problem::kCannotRead, path);
  return bytes;
}

std::string ReadGzipFile(const std::string& path) { return Inflate(path, ReadWholeFile(path)); }

std::string ReadSourceFile(const std::string& path) {
  std::string bytes = ReadWholeFile(path);
  return StartsWith(bytes, kGzipMagic) ? Inflate(path, bytes) : bytes;
}

}  // namespace import
