#include "dictionary/native_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "dictionary/posix_file_descriptor.h"

namespace dictionary {
namespace {

Refusal Classify(int code) {
  switch (code) {
    case EBUSY:  // POSIX has no sharing modes; a file in use answers these
    case ETXTBSY:
      return Refusal::kHeld;
    case EACCES:
    case EPERM:
      return Refusal::kAccessDenied;
    case EROFS:
      return Refusal::kReadOnly;
    case ENOSPC:
    case EDQUOT:
      return Refusal::kDiskFull;
    case ENOENT:
    case ENOTDIR:
      return Refusal::kNotFound;
    default:
      return Refusal::kOther;
  }
}

FileError ErrorOf(int code) { return FileError{static_cast<std::uint32_t>(code), Classify(code)}; }

// Notes the refusal just reported by the system; returns `failed` for chaining.
template <class T>
T Refused(FileError& error, T failed) {
  error = ErrorOf(errno);
  return failed;
}

class PosixInputFile final : public ByteSource {
 public:
  PosixInputFile(int fd, FileError& error) : fd_(fd), error_(error) {}
  std::ptrdiff_t Read(char* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t got = read(fd_.get(), buffer, size);
      if (got >= 0) return got;
      if (errno != EINTR) return Refused(error_, -1);
    }
  }

 private:
  FileDescriptor fd_;
  FileError& error_;
};

class PosixOutputFile final : public OutputFile {
 public:
  PosixOutputFile(int fd, FileError& error) : fd_(fd), error_(error) {}
  bool Write(const char* data, std::size_t size) override {
    while (size > 0) {
      const ssize_t put = write(fd_.get(), data, size);
      if (put < 0) {
        if (errno == EINTR) continue;
        return Refused(error_, false);
      }
      data += put;
      size -= static_cast<std::size_t>(put);
    }
    return true;
  }
  bool Sync() override { return fsync(fd_.get()) == 0 || Refused(error_, false); }

 private:
  FileDescriptor fd_;
  FileError& error_;
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

std::unique_ptr<ByteSource> NativeFileSystem::OpenForRead(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Refused(last_, nullptr);
  return std::make_unique<PosixInputFile>(fd, last_);
}

std::unique_ptr<OutputFile> NativeFileSystem::CreateWorkFile(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return Refused(last_, nullptr);
  return std::make_unique<PosixOutputFile>(fd, last_);
}

bool NativeFileSystem::Exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

bool NativeFileSystem::Link(const std::string& existing, const std::string& link) {
  return ::link(existing.c_str(), link.c_str()) == 0 || Refused(last_, false);
}

bool NativeFileSystem::Rename(const std::string& from, const std::string& to) {
  // A new file that replaces one takes its permissions. (A second name of
  // another file, such as a staged backup, keeps that file's.)
  struct stat old, renamed;
  if (stat(to.c_str(), &old) == 0 && S_ISREG(old.st_mode) && stat(from.c_str(), &renamed) == 0 &&
      renamed.st_nlink == 1) {
    chmod(from.c_str(), old.st_mode & 07777);
  }
  if (rename(from.c_str(), to.c_str()) != 0) return Refused(last_, false);
  SyncDirectory(to);
  return true;
}

bool NativeFileSystem::RenameOverOpenFile(const std::string& from, const std::string& to) {
  return Rename(from, to);  // what a POSIX rename always does
}

bool NativeFileSystem::Remove(const std::string& path) {
  return unlink(path.c_str()) == 0 || Refused(last_, false);
}

PathFacts NativeFileSystem::Inspect(const std::string& path) {
  PathFacts facts;
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return facts;
  facts.directory = S_ISDIR(st.st_mode);
  facts.readOnly = S_ISREG(st.st_mode) && access(path.c_str(), W_OK) != 0;
  return facts;  // renaming or deleting a file depends on its folder alone
}

std::optional<FileError> NativeFileSystem::ProbeFolder(const std::string& path) {
  const std::string probe = path + kProbeSuffix;
  const FileDescriptor file(open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (!file.valid()) return errno == EEXIST ? std::nullopt : std::optional<FileError>(ErrorOf(errno));
  unlink(probe.c_str());
  return std::nullopt;
}

}  // namespace dictionary
