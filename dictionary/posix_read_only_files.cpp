#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

#include "dictionary/posix_file_descriptor.h"
#include "dictionary/read_only_file.h"

namespace dictionary {
namespace {

// A pread costs about as much as copying this much more.
constexpr uint64_t kReadCost = 4096;

// From 1601 to 1970, the epochs of the common tick count and of POSIX.
constexpr int64_t kSecondsBefore1970 = 11'644'473'600;

FileTime Ticks(const timespec& time) {
  return (static_cast<int64_t>(time.tv_sec) + kSecondsBefore1970) * kTicksPerSecond + time.tv_nsec / 100;
}

class PosixReadOnlyFile final : public ReadOnlyFile {
 public:
  PosixReadOnlyFile(int fd, const FileStamp& stamp) : ReadOnlyFile(stamp, kReadCost), fd_(fd) {}

  std::ptrdiff_t ReadAt(uint64_t offset, char* into, size_t capacity) override {
    for (;;) {
      const ssize_t got = pread(fd_.get(), into, capacity, static_cast<off_t>(offset));
      if (got >= 0 || errno != EINTR) return got < 0 ? -1 : got;
    }
  }

 private:
  FileDescriptor fd_;
};

}  // namespace

std::unique_ptr<ReadOnlyFile> NativeReadOnlyFiles::Open(const std::string& path) {
  lastOpenError_ = 0;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    lastOpenError_ = static_cast<uint32_t>(errno);
    return nullptr;
  }
  struct stat st;
  if (fstat(fd, &st) != 0) {
    lastOpenError_ = static_cast<uint32_t>(errno);
    close(fd);
    return nullptr;
  }
  const FileStamp stamp{static_cast<uint64_t>(st.st_size), Ticks(st.st_mtim),
                        static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
  return std::make_unique<PosixReadOnlyFile>(fd, stamp);
}

FileTime NativeReadOnlyFiles::Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return Ticks(now);
}

}  // namespace dictionary
