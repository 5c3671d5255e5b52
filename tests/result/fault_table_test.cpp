// Makes each step of a registration fail in turn, on real files, and checks
// that the dictionary is always there whole, old or new, and what the backup
// and the work file hold. Prints the table of faults and outcomes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "result/dictionary_rewrite.h"
#include "result/posix_file_system.h"
#include "temp_dir.h"

namespace rowaction {
namespace {

enum class Fault {
  kNone,
  kOpenDictionary,
  kCreateWorkFile,
  kReadPartWay,
  kWritePartWay,
  kSync,
  kRemoveOldBackup,
  kLinkBackup,
  kSyncBackup,
  kRename,
  kSyncDirectory,
  kWritePartWayAndRemove,
  kBackupNameIsDirectory,   // a real refusal by the system
  kWorkNameIsDirectory,     // likewise
};

constexpr std::size_t kReadFailsAfter = 100000;  // after the first read of the dictionary
constexpr std::size_t kWriteFailsAfter = 70000;  // inside the second buffer of the work file

class FaultyInputFile final : public lookup::ByteSource {
 public:
  FaultyInputFile(std::unique_ptr<lookup::ByteSource> file, std::size_t failAfter)
      : file_(std::move(file)), failAfter_(failAfter) {}
  std::ptrdiff_t Read(char* buffer, std::size_t size) override {
    if (read_ >= failAfter_) return -1;
    const std::ptrdiff_t got = file_->Read(buffer, std::min(size, failAfter_ - read_));
    if (got > 0) read_ += static_cast<std::size_t>(got);
    return got;
  }

 private:
  std::unique_ptr<lookup::ByteSource> file_;
  std::size_t failAfter_;
  std::size_t read_ = 0;
};

class FaultyOutputFile final : public OutputFile {
 public:
  FaultyOutputFile(std::unique_ptr<OutputFile> file, std::size_t capacity, bool syncFails)
      : file_(std::move(file)), capacity_(capacity), syncFails_(syncFails) {}
  // Like a full disk: what fits is written, then the write fails.
  bool Write(const char* data, std::size_t size) override {
    const std::size_t room = capacity_ - written_;
    if (!file_->Write(data, std::min(size, room))) return false;
    written_ += std::min(size, room);
    return size <= room;
  }
  bool Sync() override { return !syncFails_ && file_->Sync(); }

 private:
  std::unique_ptr<OutputFile> file_;
  std::size_t capacity_;
  bool syncFails_;
  std::size_t written_ = 0;
};

class FaultyFileSystem final : public FileSystem {
 public:
  explicit FaultyFileSystem(Fault fault)
      : fault_(fault), files_([fault](PosixFileSystem::ReplaceStep step) {
          using Step = PosixFileSystem::ReplaceStep;
          return !((fault == Fault::kRemoveOldBackup && step == Step::kRemoveOldBackup) ||
                   (fault == Fault::kLinkBackup && step == Step::kLinkBackup) ||
                   (fault == Fault::kSyncBackup && step == Step::kSyncBackup) ||
                   (fault == Fault::kRename && step == Step::kRename) ||
                   (fault == Fault::kSyncDirectory && step == Step::kSyncDirectory));
        }) {}

  std::unique_ptr<lookup::ByteSource> OpenForRead(const std::string& path) override {
    if (fault_ == Fault::kOpenDictionary) return nullptr;
    std::unique_ptr<lookup::ByteSource> file = files_.OpenForRead(path);
    if (!file || fault_ != Fault::kReadPartWay) return file;
    return std::make_unique<FaultyInputFile>(std::move(file), kReadFailsAfter);
  }
  std::unique_ptr<OutputFile> CreateWorkFile(const std::string& path) override {
    if (fault_ == Fault::kCreateWorkFile) return nullptr;
    std::unique_ptr<OutputFile> file = files_.CreateWorkFile(path);
    const bool full = fault_ == Fault::kWritePartWay || fault_ == Fault::kWritePartWayAndRemove;
    if (!file || !(full || fault_ == Fault::kSync)) return file;
    return std::make_unique<FaultyOutputFile>(std::move(file), full ? kWriteFailsAfter : SIZE_MAX,
                                              fault_ == Fault::kSync);
  }
  bool ReplaceWithBackup(const std::string& replaced, const std::string& replacement,
                         const std::string& backup) override {
    return files_.ReplaceWithBackup(replaced, replacement, backup);
  }
  bool Remove(const std::string& path) override {
    return fault_ != Fault::kWritePartWayAndRemove && files_.Remove(path);
  }

 private:
  Fault fault_;
  PosixFileSystem files_;
};

const char* StatusName(RegisterStatus status) {
  switch (status) {
    case RegisterStatus::kRegistered: return "registered";
    case RegisterStatus::kNotRegistrable: return "not registrable";
    case RegisterStatus::kNoDictionary: return "no dictionary";
    case RegisterStatus::kWorkFileNotCreated: return "work file not created";
    case RegisterStatus::kReadFailed: return "read failed";
    case RegisterStatus::kWriteFailed: return "write failed";
    case RegisterStatus::kSyncFailed: return "sync failed";
    case RegisterStatus::kReplaceFailed: return "replace failed";
  }
  return "?";
}

TEST(RegisterFaultTest, EveryStepFailsSafely) {
  // About 250 KB, so reads and writes take several buffers; the row's line
  // stands in the middle.
  std::string oldDictionary, newDictionary;
  for (int i = 0; i < 10000; ++i) {
    const std::string line = "word" + std::to_string(i) + "\tmeaning " + std::to_string(i) + "\r\n";
    oldDictionary += line;
    newDictionary += line;
    if (i == 5000) {
      oldDictionary += "run\tfast;note\r\n";
      newDictionary += "run\t[x]\tfast;note\r\n";
    }
  }
  const std::string previousBackup = "the previous backup\r\n";

  struct Row {
    const char* fault;
    Fault kind;
    RegisterStatus status;
    const char* dictionary;  // "old" or "new"
    const char* backup;      // "previous", "old" or "absent"
    const char* work;        // "absent", "partial" or "directory"
  };
  const Row rows[] = {
      {"none", Fault::kNone, RegisterStatus::kRegistered, "new", "old", "absent"},
      {"dictionary can't be opened", Fault::kOpenDictionary, RegisterStatus::kNoDictionary, "old", "previous", "absent"},
      {"work file can't be created", Fault::kCreateWorkFile, RegisterStatus::kWorkFileNotCreated, "old", "previous", "absent"},
      {"work file name is a directory", Fault::kWorkNameIsDirectory, RegisterStatus::kWorkFileNotCreated, "old", "previous", "directory"},
      {"read error part-way", Fault::kReadPartWay, RegisterStatus::kReadFailed, "old", "previous", "absent"},
      {"disk full part-way", Fault::kWritePartWay, RegisterStatus::kWriteFailed, "old", "previous", "absent"},
      {"disk full, work file not removable", Fault::kWritePartWayAndRemove, RegisterStatus::kWriteFailed, "old", "previous", "partial"},
      {"flush to disk fails", Fault::kSync, RegisterStatus::kSyncFailed, "old", "previous", "absent"},
      {"old backup can't be removed", Fault::kRemoveOldBackup, RegisterStatus::kReplaceFailed, "old", "previous", "absent"},
      {"backup name is a directory", Fault::kBackupNameIsDirectory, RegisterStatus::kReplaceFailed, "old", "directory", "absent"},
      {"backup can't be made", Fault::kLinkBackup, RegisterStatus::kReplaceFailed, "old", "absent", "absent"},
      {"backup not synced", Fault::kSyncBackup, RegisterStatus::kReplaceFailed, "old", "old", "absent"},
      {"replacement fails", Fault::kRename, RegisterStatus::kReplaceFailed, "old", "old", "absent"},
      {"directory not synced", Fault::kSyncDirectory, RegisterStatus::kReplaceFailed, "old", "absent", "absent"},
  };

  const auto describe = [&](const std::string& path) -> std::string {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return "absent";
    if (S_ISDIR(st.st_mode)) return "directory";
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (bytes == oldDictionary) return "old";
    if (bytes == newDictionary) return "new";
    if (bytes == previousBackup) return "previous";
    if (bytes && oldDictionary.compare(0, bytes->size(), *bytes) == 0) return "partial";
    return "other";
  };

  std::printf("%-36s %-22s %-11s %-15s %s\n", "fault", "status", "RAdoro.txt", "RAdoro.txt.bak",
              "RAdoro.txt.next");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fault);
    TempDir dir;
    const DictionaryPaths paths = DictionaryPaths::In(dir.Path());
    WriteWholeFile(paths.dictionary, oldDictionary);
    if (row.kind == Fault::kBackupNameIsDirectory) {
      ASSERT_EQ(mkdir(paths.backup.c_str(), 0777), 0);
      WriteWholeFile(paths.backup + "/kept", "x");
    } else {
      WriteWholeFile(paths.backup, previousBackup);
    }
    if (row.kind == Fault::kWorkNameIsDirectory) ASSERT_EQ(mkdir(paths.work.c_str(), 0777), 0);

    FaultyFileSystem files(row.kind);
    const RegisterOutcome outcome = RegisterPronunciation("run\tfast", "x", files, paths);
    const std::string dictionary = describe(paths.dictionary);
    const std::string backup = describe(paths.backup);
    const std::string work = describe(paths.work);
    std::printf("%-36s %-22s %-11s %-15s %s\n", row.fault, StatusName(outcome.status), dictionary.c_str(),
                backup.c_str(), work.c_str());

    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.Succeeded(), row.kind == Fault::kNone);
    EXPECT_EQ(dictionary, row.dictionary);
    EXPECT_EQ(backup, row.backup);
    EXPECT_EQ(work, row.work);
  }
  std::fflush(stdout);
}

}  // namespace
}  // namespace rowaction
