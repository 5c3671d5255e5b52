// Makes each step of a registration fail in turn, on real files of the
// platform, and checks that the dictionary is always there whole, old or new,
// and what the backup and the work file hold. Prints the table of faults and
// outcomes.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "dictionary/native_file_system.h"
#include "rows/dictionary_rewrite.h"
#include "tests/support/temp_dir.h"

namespace rows {
namespace {

using testsupport::ReadWholeFile;
using testsupport::TempDir;
using testsupport::WriteWholeFile;

enum class Fault {
  kNone,
  kOpenDictionary,
  kCreateWorkFile,
  kReadPartWay,
  kWritePartWay,
  kSync,
  kWritePartWayAndRemove,
  kLinkBackup,  // the backup is copied instead
  kLinkAndCopyBackup,
  kRenameBackup,
  kRenameDictionary,
  kBackupNameIsDirectory,  // a real refusal by the system
  kWorkNameIsDirectory,    // likewise
};

constexpr std::size_t kReadFailsAfter = 100000;  // after the first read of the dictionary
constexpr std::size_t kWriteFailsAfter = 70000;  // inside the second buffer of the work file

class FaultyInputFile final : public dictionary::ByteSource {
 public:
  FaultyInputFile(std::unique_ptr<dictionary::ByteSource> file, std::size_t failAfter)
      : file_(std::move(file)), failAfter_(failAfter) {}
  std::ptrdiff_t Read(char* buffer, std::size_t size) override {
    if (read_ >= failAfter_) return -1;
    const std::ptrdiff_t got = file_->Read(buffer, std::min(size, failAfter_ - read_));
    if (got > 0) read_ += static_cast<std::size_t>(got);
    return got;
  }

 private:
  std::unique_ptr<dictionary::ByteSource> file_;
  std::size_t failAfter_;
  std::size_t read_ = 0;
};

class FaultyOutputFile final : public dictionary::OutputFile {
 public:
  FaultyOutputFile(std::unique_ptr<dictionary::OutputFile> file, std::size_t capacity, bool syncFails)
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
  std::unique_ptr<dictionary::OutputFile> file_;
  std::size_t capacity_;
  bool syncFails_;
  std::size_t written_ = 0;
};

class FaultyFileSystem final : public dictionary::FileSystem {
 public:
  FaultyFileSystem(Fault fault, const DictionaryPaths& paths) : fault_(fault), paths_(paths) {}

  std::unique_ptr<dictionary::ByteSource> OpenForRead(const std::string& path) override {
    if (fault_ == Fault::kOpenDictionary) return nullptr;
    std::unique_ptr<dictionary::ByteSource> file = files_.OpenForRead(path);
    if (!file || fault_ != Fault::kReadPartWay) return file;
    return std::make_unique<FaultyInputFile>(std::move(file), kReadFailsAfter);
  }
  std::unique_ptr<dictionary::OutputFile> CreateWorkFile(const std::string& path) override {
    if (fault_ == Fault::kCreateWorkFile && path == paths_.work) return nullptr;
    if (fault_ == Fault::kLinkAndCopyBackup && path == paths_.stagedBackup) return nullptr;
    std::unique_ptr<dictionary::OutputFile> file = files_.CreateWorkFile(path);
    const bool full = fault_ == Fault::kWritePartWay || fault_ == Fault::kWritePartWayAndRemove;
    if (!file || !(full || fault_ == Fault::kSync)) return file;
    return std::make_unique<FaultyOutputFile>(std::move(file), full ? kWriteFailsAfter : SIZE_MAX,
                                              fault_ == Fault::kSync);
  }
  bool Exists(const std::string& path) override { return files_.Exists(path); }
  bool Link(const std::string& existing, const std::string& link) override {
    const bool refused = fault_ == Fault::kLinkBackup || fault_ == Fault::kLinkAndCopyBackup;
    return !refused && files_.Link(existing, link);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    if (fault_ == Fault::kRenameBackup && to == paths_.backup) return false;
    if (fault_ == Fault::kRenameDictionary && to == paths_.dictionary) return false;
    return files_.Rename(from, to);
  }
  bool Remove(const std::string& path) override {
    return fault_ != Fault::kWritePartWayAndRemove && files_.Remove(path);
  }

 private:
  Fault fault_;
  DictionaryPaths paths_;
  dictionary::NativeFileSystem files_;
};

const char* StatusName(RegisterStatus status) {
  switch (status) {
    case RegisterStatus::kRegistered:
      return "registered";
    case RegisterStatus::kNotRegistrable:
      return "not registrable";
    case RegisterStatus::kNoDictionary:
      return "no dictionary";
    case RegisterStatus::kWorkFileNotCreated:
      return "work file not created";
    case RegisterStatus::kReadFailed:
      return "read failed";
    case RegisterStatus::kWriteFailed:
      return "write failed";
    case RegisterStatus::kSyncFailed:
      return "sync failed";
    case RegisterStatus::kReplaceFailed:
      return "replace failed";
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
      {"dictionary can't be opened", Fault::kOpenDictionary, RegisterStatus::kNoDictionary, "old", "previous",
       "absent"},
      {"work file can't be created", Fault::kCreateWorkFile, RegisterStatus::kWorkFileNotCreated, "old",
       "previous", "absent"},
      {"work file name is a directory", Fault::kWorkNameIsDirectory, RegisterStatus::kWorkFileNotCreated,
       "old", "previous", "directory"},
      {"read error part-way", Fault::kReadPartWay, RegisterStatus::kReadFailed, "old", "previous", "absent"},
      {"disk full part-way", Fault::kWritePartWay, RegisterStatus::kWriteFailed, "old", "previous", "absent"},
      {"disk full, work file not removable", Fault::kWritePartWayAndRemove, RegisterStatus::kWriteFailed,
       "old", "previous", "partial"},
      {"flush to disk fails", Fault::kSync, RegisterStatus::kSyncFailed, "old", "previous", "absent"},
      {"no hard links: the backup is copied", Fault::kLinkBackup, RegisterStatus::kRegistered, "new", "old",
       "absent"},
      {"backup can't be linked or copied", Fault::kLinkAndCopyBackup, RegisterStatus::kReplaceFailed, "old",
       "previous", "absent"},
      {"backup name is a directory", Fault::kBackupNameIsDirectory, RegisterStatus::kReplaceFailed, "old",
       "directory", "absent"},
      {"backup can't take its name", Fault::kRenameBackup, RegisterStatus::kReplaceFailed, "old", "previous",
       "absent"},
      {"dictionary can't be replaced", Fault::kRenameDictionary, RegisterStatus::kReplaceFailed, "old", "old",
       "absent"},
  };

  const auto describe = [&](const std::string& path) -> std::string {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return "absent";
    if (std::filesystem::is_directory(path, error)) return "directory";
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
      ASSERT_TRUE(std::filesystem::create_directory(paths.backup));
      WriteWholeFile(paths.backup + "/kept", "x");
    } else {
      WriteWholeFile(paths.backup, previousBackup);
    }
    if (row.kind == Fault::kWorkNameIsDirectory) {
      ASSERT_TRUE(std::filesystem::create_directory(paths.work));
    }

    FaultyFileSystem files(row.kind, paths);
    const RegisterOutcome outcome = RegisterPronunciation("run\tfast", "x", files, paths);
    const std::string dictionary = describe(paths.dictionary);
    const std::string backup = describe(paths.backup);
    const std::string work = describe(paths.work);
    std::printf("%-36s %-22s %-11s %-15s %s\n", row.fault, StatusName(outcome.status), dictionary.c_str(),
                backup.c_str(), work.c_str());

    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.Succeeded(), row.status == RegisterStatus::kRegistered);
    EXPECT_EQ(describe(paths.stagedBackup), "absent");
    EXPECT_EQ(dictionary, row.dictionary);
    EXPECT_EQ(backup, row.backup);
    EXPECT_EQ(work, row.work);
  }
  std::fflush(stdout);
}

}  // namespace
}  // namespace rows
