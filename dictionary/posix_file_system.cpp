#include "dictionary/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace dictionary {
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

class PosixInputFile final : public ByteSource {
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

std::unique_ptr<ByteSource> PosixFileSystem::OpenForRead(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixInputFile>(fd);
}

std::unique_ptr<OutputFile> PosixFileSystem::CreateWorkFile(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  return std::make_unique<PosixOutputFile>(fd);
}

bool PosixFileSystem::Exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

bool PosixFileSystem::Link(const std::string& existing, const std::string& link) {
  return ::link(existing.c_str(), link.c_str()) == 0;
}

bool PosixFileSystem::Rename(const std::string& from, const std::string& to) {
  // A new file that replaces one takes its permissions. (A second name of
  // another file, such as a staged backup, keeps that file's.)
  struct stat old, renamed;
  if (stat(to.c_str(), &old) == 0 && S_ISREG(old.st_mode) && stat(from.c_str(), &renamed) == 0 &&
      renamed.st_nlink == 1) {
    chmod(from.c_str(), old.st_mode & 07777);
  }
  if (rename(from.c_str(), to.c_str()) != 0) return false;
  SyncDirectory(to);
  return true;
}

bool PosixFileSystem::Remove(const std::string& path) { return unlink(path.c_str()) == 0; }

}  // namespace dictionary
