#include "result/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace rowaction {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }

 private:
  int fd_;
};

class PosixInputFile final : public lookup::ByteSource {
 public:
  explicit PosixInputFile(int fd) : fd_(fd) {}
  std::ptrdiff_t Read(char* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t got = read(fd_.get(), buffer, size);
      if (got >= 0 || errno != EINTR) return got < 0 ? -1 : got;
    }
  }

 private:
  FileDescriptor fd_;
};

class PosixOutputFile final : public OutputFile {
 public:
  explicit PosixOutputFile(int fd) : fd_(fd) {}
  bool Write(const char* data, std::size_t size) override {
    while (size > 0) {
      const ssize_t put = write(fd_.get(), data, size);
      if (put < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      data += put;
      size -= static_cast<std::size_t>(put);
    }
    return true;
  }
  bool Sync() override { return fsync(fd_.get()) == 0; }

 private:
  FileDescriptor fd_;
};

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool SyncDirectory(const std::string& path) {
  const FileDescriptor directory(open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return directory.valid() && fsync(directory.get()) == 0;
}

}  // namespace

bool PosixFileSystem::Allowed(ReplaceStep step) const {
  if (!filter_ || filter_(step)) return true;
  errno = EIO;
  return false;
}

std::unique_ptr<lookup::ByteSource> PosixFileSystem::OpenForRead(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixInputFile>(fd);
}

std::unique_ptr<OutputFile> PosixFileSystem::CreateWorkFile(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixOutputFile>(fd);
}

bool PosixFileSystem::ReplaceWithBackup(const std::string& replaced, const std::string& replacement,
                                        const std::string& backup) {
  // The new dictionary keeps the old one's permissions.
  struct stat old;
  if (stat(replaced.c_str(), &old) != 0) return false;
  chmod(replacement.c_str(), old.st_mode & 07777);

  if (!Allowed(ReplaceStep::kRemoveOldBackup) || (unlink(backup.c_str()) != 0 && errno != ENOENT)) {
    return false;
  }
  if (!Allowed(ReplaceStep::kLinkBackup) || link(replaced.c_str(), backup.c_str()) != 0) return false;
  // The backup is on the disk before the dictionary changes.
  if (!Allowed(ReplaceStep::kSyncBackup) || !SyncDirectory(replaced)) return false;
  if (!Allowed(ReplaceStep::kRename) || rename(replacement.c_str(), replaced.c_str()) != 0) return false;
  if (!Allowed(ReplaceStep::kSyncDirectory) || !SyncDirectory(replaced)) {
    // Not known to be on the disk: put the previous dictionary back, so a
    // failure always means an unchanged dictionary.
    rename(backup.c_str(), replaced.c_str());
    SyncDirectory(replaced);
    return false;
  }
  return true;
}

bool PosixFileSystem::Remove(const std::string& path) { return unlink(path.c_str()) == 0; }

}  // namespace rowaction
