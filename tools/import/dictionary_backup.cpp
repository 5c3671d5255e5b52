#include "dictionary_backup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "gzip_file.h"
#include "import_error.h"

namespace import {
namespace {

// The backup's name until the new dictionary is in place.
constexpr char kStagedSuffix[] = ".new";

std::string Errno() { return std::strerror(errno); }

void SyncDirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string directory = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
}

// Where hard links are not to be had (some removable media), a copy.
bool CopyFile(const std::string& from, const std::string& to) {
  const std::string bytes = ReadWholeFile(from);
  int fd = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  if (fd < 0) return false;
  std::string_view rest = bytes;
  while (!rest.empty()) {
    ssize_t n = write(fd, rest.data(), rest.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    rest.remove_prefix(static_cast<size_t>(n));
  }
  const bool ok = rest.empty() && fsync(fd) == 0;
  if (close(fd) != 0 || !ok) {
    unlink(to.c_str());
    return false;
  }
  return true;
}

// A second name for the dictionary about to be replaced, made before it is
// replaced, so that its content never goes without a name. It becomes the
// backup once the new dictionary is in place, and goes if that fails.
class StagedBackup {
 public:
  explicit StagedBackup(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
      if (errno == ENOENT) return;
      throw ImportError(path + ": cannot look at it: " + Errno());
    }
    if (!S_ISREG(st.st_mode)) return;  // the write will say what is wrong with it
    backup_ = path + kBackupSuffix;
    staged_ = backup_ + kStagedSuffix;
    if (unlink(staged_.c_str()) != 0 && errno != ENOENT)
      throw ImportError(staged_ + ": cannot remove this leftover: " + Errno());
    if (link(path.c_str(), staged_.c_str()) != 0 && !CopyFile(path, staged_))
      throw ImportError(staged_ + ": cannot keep a copy of " + path + " here: " + Errno());
  }
  ~StagedBackup() {
    if (!staged_.empty()) unlink(staged_.c_str());
  }
  StagedBackup(const StagedBackup&) = delete;
  StagedBackup& operator=(const StagedBackup&) = delete;

  // Call once the new dictionary is in place; returns the backup's name.
  std::string Keep(const std::string& path) {
    if (staged_.empty()) return "";
    const std::string staged = std::move(staged_);
    staged_.clear();
    if (std::rename(staged.c_str(), backup_.c_str()) != 0)
      throw BackupNotKept(path + " is written, but the dictionary it replaced could not be renamed to " +
                          backup_ + ": " + Errno() + "; it is kept as " + staged);
    SyncDirectoryOf(backup_);
    return backup_;
  }

 private:
  std::string backup_, staged_;
};

}  // namespace

uint64_t WriteDictionaryKeepingBackup(const std::string& path, const std::vector<DictionaryLine>& lines,
                                      std::string& backup) {
  StagedBackup staged(path);
  const uint64_t written = WriteDictionary(path, lines);
  backup = staged.Keep(path);
  return written;
}

}  // namespace import
