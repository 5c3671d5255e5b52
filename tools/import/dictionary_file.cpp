#include "dictionary_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "import_error.h"

namespace import {
namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kTempSuffix[] = ".tmp-XXXXXX";

unsigned char FoldAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }
unsigned char SwapAsciiCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + ('a' - 'A');
  if (c >= 'a' && c <= 'z') return c - ('a' - 'A');
  return c;
}

template <typename Key>
int Compare(std::string_view a, std::string_view b, Key key) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = key(static_cast<unsigned char>(a[i]));
    unsigned char y = key(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool HeadwordLess(const DictionaryLine& a, const DictionaryLine& b) {
  if (int c = Compare(a.headword, b.headword, FoldAscii)) return c < 0;
  return Compare(a.headword, b.headword, SwapAsciiCase) < 0;
}

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Errno() { return std::strerror(errno); }

// The temporary file: removed unless it was renamed into place.
class TempFile {
 public:
  explicit TempFile(const std::string& target) : name_(target + kTempSuffix) {
    fd_ = mkstemp(name_.data());
    if (fd_ < 0) throw ImportError(target + ": cannot create a temporary file beside it: " + Errno());
  }
  ~TempFile() {
    if (fd_ >= 0) close(fd_);
    if (!renamed_) unlink(name_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  int fd() const { return fd_; }
  const std::string& name() const { return name_; }
  int Close() {
    int rc = close(fd_);
    fd_ = -1;
    return rc;
  }
  void Renamed() { renamed_ = true; }

 private:
  std::string name_;
  int fd_ = -1;
  bool renamed_ = false;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

std::string JoinWithinLine(std::string_view headword, const std::vector<std::string>& pieces,
                           std::string_view separator, bool& shortened) {
  std::string meaning;
  shortened = false;
  const size_t room = headword.size() + 1 < kLongestLineText ? kLongestLineText - headword.size() - 1 : 0;
  for (const std::string& piece : pieces) {
    size_t grown = meaning.size() + (meaning.empty() ? 0 : separator.size()) + piece.size();
    if (grown > room) {
      shortened = true;
      break;
    }
    if (!meaning.empty()) meaning += separator;
    meaning += piece;
  }
  return meaning;
}

void SortByHeadword(std::vector<DictionaryLine>& lines) {
  std::sort(lines.begin(), lines.end(), HeadwordLess);
}

uint64_t WriteDictionary(const std::string& path, const std::vector<DictionaryLine>& lines) {
  TempFile temp(path);
  // mkstemp makes the file private; a dictionary is as readable as any new file.
  mode_t mask = umask(0);
  umask(mask);
  if (fchmod(temp.fd(), 0666 & ~mask) != 0) throw ImportError(temp.name() + ": cannot set permissions: " + Errno());

  constexpr size_t kFlushAt = 1 << 20;
  std::string buffer;
  uint64_t written = 0;
  auto flush = [&] {
    if (!WriteAll(temp.fd(), buffer)) throw ImportError(temp.name() + ": cannot write: " + Errno());
    written += buffer.size();
    buffer.clear();
  };
  for (const DictionaryLine& line : lines) {
    buffer += line.headword;
    buffer += '\t';
    buffer += line.meaning;
    buffer += kLineEnd;
    if (buffer.size() >= kFlushAt) flush();
  }
  flush();
  if (fsync(temp.fd()) != 0) throw ImportError(temp.name() + ": cannot flush to disk: " + Errno());
  if (temp.Close() != 0) throw ImportError(temp.name() + ": cannot close: " + Errno());
  if (std::rename(temp.name().c_str(), path.c_str()) != 0)
    throw ImportError(path + ": cannot replace it with " + temp.name() + ": " + Errno());
  temp.Renamed();
  // Make the rename itself durable; a failure here loses nothing already written.
  int dir = open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return written;
}

}  // namespace import
