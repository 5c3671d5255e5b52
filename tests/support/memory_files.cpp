#include "tests/support/memory_files.h"

#include <algorithm>
#include <cstring>

namespace testsupport {
namespace {

constexpr uint64_t kVolume = 7;

class MemoryFile final : public dictionary::ReadOnlyFile {
 public:
  MemoryFile(std::shared_ptr<const std::string> bytes, const dictionary::FileStamp& stamp, uint64_t readCost,
             std::shared_ptr<int> openFiles, std::shared_ptr<uint64_t> bytesRead,
             std::shared_ptr<bool> failReadsAtOffsets)
      : ReadOnlyFile(stamp, readCost),
        bytes_(std::move(bytes)),
        openFiles_(std::move(openFiles)),
        bytesRead_(std::move(bytesRead)),
        failReadsAtOffsets_(std::move(failReadsAtOffsets)) {
    ++*openFiles_;
  }
  ~MemoryFile() override { --*openFiles_; }

  std::ptrdiff_t Read(char* into, size_t capacity) override {
    fromTheStart_ = true;
    const std::ptrdiff_t got = ReadOnlyFile::Read(into, capacity);
    fromTheStart_ = false;
    return got;
  }

  std::ptrdiff_t ReadAt(uint64_t offset, char* into, size_t capacity) override {
    if (*failReadsAtOffsets_ && !fromTheStart_) return -1;
    if (offset >= bytes_->size()) return 0;
    const size_t got = std::min<size_t>(capacity, bytes_->size() - static_cast<size_t>(offset));
    std::memcpy(into, bytes_->data() + offset, got);
    *bytesRead_ += got;
    return static_cast<std::ptrdiff_t>(got);
  }

 private:
  std::shared_ptr<const std::string> bytes_;
  std::shared_ptr<int> openFiles_;
  std::shared_ptr<uint64_t> bytesRead_;
  std::shared_ptr<bool> failReadsAtOffsets_;
  bool fromTheStart_ = false;
};

}  // namespace

MemoryFiles::File& MemoryFiles::Stamped(File& file, std::string bytes) {
  file.stamp.size = bytes.size();
  file.stamp.lastWrite = now_ - now_ % tick_;
  file.bytes = std::make_shared<const std::string>(std::move(bytes));
  return file;
}

void MemoryFiles::Write(const std::string& path, std::string bytes) {
  auto found = files_.find(path);
  if (found == files_.end()) return Replace(path, std::move(bytes));
  Stamped(found->second, std::move(bytes));
}

void MemoryFiles::Replace(const std::string& path, std::string bytes) {
  File& file = files_[path];
  file.stamp.volume = kVolume;
  file.stamp.file = nextFile_++;
  Stamped(file, std::move(bytes));
}

void MemoryFiles::Remove(const std::string& path) { files_.erase(path); }

void MemoryFiles::SetLastWrite(const std::string& path, dictionary::FileTime lastWrite) {
  files_.at(path).stamp.lastWrite = lastWrite;
}

dictionary::FileTime MemoryFiles::LastWrite(const std::string& path) const {
  return files_.at(path).stamp.lastWrite;
}

std::unique_ptr<dictionary::ReadOnlyFile> MemoryFiles::Open(const std::string& path) {
  auto found = files_.find(path);
  if (found == files_.end()) return nullptr;
  return std::make_unique<MemoryFile>(found->second.bytes, found->second.stamp, readCost_, openFiles_,
                                      bytesRead_, failReadsAtOffsets_);
}

}  // namespace testsupport
