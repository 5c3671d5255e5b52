// Dictionary files in memory, with the stamps a file system gives them and a
// clock the test turns, so that any edit can be made at any moment: in the
// same tick as a read, with the same size, or by putting another file there.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "dictionary/read_only_file.h"

namespace testsupport {

class MemoryFiles final : public dictionary::ReadOnlyFiles {
 public:
  // Last-write times are the clock cut to whole ticks of `tick`. A read costs
  // `readCost` bytes more than it copies (0: reading a file's stretches is
  // always cheapest; very much: reading it whole is).
  explicit MemoryFiles(dictionary::FileTime tick = dictionary::kTimestampGranularity, uint64_t readCost = 0)
      : tick_(tick), readCost_(readCost) {}

  // Writes the file in place: the same file, with a new size and last-write time.
  void Write(const std::string& path, std::string bytes);
  // Puts another file under the name, as a rename over it does.
  void Replace(const std::string& path, std::string bytes);
  void Remove(const std::string& path);
  // Gives the file another last-write time, as copying tools and `touch` do.
  void SetLastWrite(const std::string& path, dictionary::FileTime lastWrite);
  void Advance(dictionary::FileTime ticks) { now_ += ticks; }
  // Makes every read at an offset fail, or work again.
  void FailReadsAtOffsets(bool fail) { *failReadsAtOffsets_ = fail; }
  // The time of the last write to the file.
  dictionary::FileTime LastWrite(const std::string& path) const;

  // Files open now.
  int openFiles() const { return *openFiles_; }
  // Bytes read, from the start of a file or at an offset.
  uint64_t bytesRead() const { return *bytesRead_; }

  std::unique_ptr<dictionary::ReadOnlyFile> Open(const std::string& path) override;
  dictionary::FileTime Now() override { return now_; }

 private:
  struct File {
    std::shared_ptr<const std::string> bytes;  // an open file keeps what it opened
    dictionary::FileStamp stamp;
  };
  File& Stamped(File& file, std::string bytes);

  dictionary::FileTime tick_;
  uint64_t readCost_;
  dictionary::FileTime now_ =
      dictionary::FileTime{400} * 365 * 24 * 3600 * dictionary::kTicksPerSecond;  // in 2001
  uint64_t nextFile_ = 1;
  std::map<std::string, File> files_;
  std::shared_ptr<int> openFiles_ = std::make_shared<int>(0);
  std::shared_ptr<uint64_t> bytesRead_ = std::make_shared<uint64_t>(0);
  std::shared_ptr<bool> failReadsAtOffsets_ = std::make_shared<bool>(false);
};

}  // namespace testsupport
