// Makes each step of a registration fail in turn, on real files of the
// platform, and checks that the dictionary is always there whole, old or new,
// what the backup and the work file hold, and which file the failure names.
// Files held by another program are held for real where the system enforces
// it (Windows sharing modes), for a moment or throughout. Prints the table of
// faults and outcomes.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "dictionary/native_file_system.h"
#include "rows/dictionary_rewrite.h"
#include "rows/registration_message.h"
#include "tests/rows/filler_dictionary.h"
#include "tests/rows/held_file.h"
#include "tests/support/temp_dir.h"

namespace rows {
namespace {

using testsupport::ReadWholeFile;
using testsupport::TempDir;
using testsupport::WriteWholeFile;
using Operation = HeldFile::Operation;
using dictionary::Refusal;

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
  // Another program holds a file when the registration reaches a step.
  kHeldWhileOpened,    // RAdoro.txt, exclusively
  kHeldWhileCreated,   // RAdoro.txt.next, left by an earlier run, exclusively
  kHeldWhileLinked,    // RAdoro.txt, exclusively (Wine lets the link through: refused in its place)
  kHeldWhileBackedUp,  // RAdoro.txt.bak, open without delete sharing
  kHeldWhileReplaced,  // RAdoro.txt, open without delete sharing
  kHeldByReader,       // RAdoro.txt, open without delete sharing from the start
  kFolderNotWritable,
  kDictionaryReadOnly,
};

// How the system answers a rename over open files.
enum class Path { kPlain /* not supported */, kOverOpen /* done */ };

constexpr std::size_t kReadFailsAfter = 100000;  // after the first read of the dictionary
constexpr std::size_t kWriteFailsAfter = 70000;  // inside the second buffer of the work file
// A hold "for a moment" ends well within the retries; one "throughout" outlasts them.
constexpr std::chrono::milliseconds kMoment{150};
constexpr std::chrono::milliseconds kThroughout{0};
// What the file system answers for a simulated failure other than a held file.
constexpr dictionary::FileError kOtherError{5000, Refusal::kOther};
constexpr dictionary::FileError kDenied{5000, Refusal::kAccessDenied};
constexpr dictionary::FileError kFull{5000, Refusal::kDiskFull};

class FaultyInputFile final : public dictionary::ByteSource {
 public:
  FaultyInputFile(std::unique_ptr<dictionary::ByteSource> file, std::size_t failAfter,
                  std::optional<dictionary::FileError>& error)
      : file_(std::move(file)), failAfter_(failAfter), error_(error) {}
  std::ptrdiff_t Read(char* buffer, std::size_t size) override {
    if (read_ >= failAfter_) {
      error_ = kOtherError;
      return -1;
    }
    const std::ptrdiff_t got = file_->Read(buffer, std::min(size, failAfter_ - read_));
    if (got > 0) read_ += static_cast<std::size_t>(got);
    return got;
  }

 private:
  std::unique_ptr<dictionary::ByteSource> file_;
  std::size_t failAfter_;
  std::optional<dictionary::FileError>& error_;
  std::size_t read_ = 0;
};

class FaultyOutputFile final : public dictionary::OutputFile {
 public:
  FaultyOutputFile(std::unique_ptr<dictionary::OutputFile> file, std::size_t capacity, bool syncFails,
                   std::optional<dictionary::FileError>& error)
      : file_(std::move(file)), capacity_(capacity), syncFails_(syncFails), error_(error) {}
  // Like a full disk: what fits is written, then the write fails.
  bool Write(const char* data, std::size_t size) override {
    const std::size_t room = capacity_ - written_;
    if (!file_->Write(data, std::min(size, room))) return false;
    written_ += std::min(size, room);
    if (size <= room) return true;
    error_ = kFull;
    return false;
  }
  bool Sync() override {
    if (!syncFails_) return file_->Sync();
    error_ = kOtherError;
    return false;
  }

 private:
  std::unique_ptr<dictionary::OutputFile> file_;
  std::size_t capacity_;
  bool syncFails_;
  std::optional<dictionary::FileError>& error_;
  std::size_t written_ = 0;
};

// The platform's file system with one fault put in. A held file starts being
// held when the registration reaches its step.
class FaultyFileSystem final : public dictionary::FileSystem {
 public:
  FaultyFileSystem(Fault fault, Path path, const DictionaryPaths& paths, std::chrono::milliseconds held)
      : fault_(fault),
        path_(path),
        paths_(paths),
        holdFor_(held),
        held_(HeldPath(fault, paths), HeldMode(fault),
              fault != Fault::kHeldWhileLinked && path == Path::kPlain) {}

  std::unique_ptr<dictionary::ByteSource> OpenForRead(const std::string& path) override {
    error_.reset();
    if (fault_ == Fault::kOpenDictionary) return Simulated(kOtherError, nullptr);
    if (fault_ == Fault::kHeldWhileOpened || fault_ == Fault::kHeldByReader) held_.Hold(holdFor_);
    if (held_.Refuses(path, Operation::kOpen)) return Simulated(HeldFile::Answer(), nullptr);
    std::unique_ptr<dictionary::ByteSource> file = files_.OpenForRead(path);
    if (!file || fault_ != Fault::kReadPartWay) return file;
    return std::make_unique<FaultyInputFile>(std::move(file), kReadFailsAfter, error_);
  }
  std::unique_ptr<dictionary::OutputFile> CreateWorkFile(const std::string& path) override {
    error_.reset();
    if (fault_ == Fault::kCreateWorkFile && path == paths_.work) return Simulated(kOtherError, nullptr);
    if (fault_ == Fault::kFolderNotWritable) return Simulated(kDenied, nullptr);
    if (fault_ == Fault::kLinkAndCopyBackup && path == paths_.stagedBackup)
      return Simulated(kOtherError, nullptr);
    if (fault_ == Fault::kHeldWhileCreated) held_.Hold(holdFor_);
    if (held_.Refuses(path, Operation::kOpen)) return Simulated(HeldFile::Answer(), nullptr);
    std::unique_ptr<dictionary::OutputFile> file = files_.CreateWorkFile(path);
    const bool full = fault_ == Fault::kWritePartWay || fault_ == Fault::kWritePartWayAndRemove;
    if (!file || !(full || fault_ == Fault::kSync)) return file;
    return std::make_unique<FaultyOutputFile>(std::move(file), full ? kWriteFailsAfter : SIZE_MAX,
                                              fault_ == Fault::kSync, error_);
  }
  bool Exists(const std::string& path) override { return files_.Exists(path); }
  bool Link(const std::string& existing, const std::string& link) override {
    error_.reset();
    if (fault_ == Fault::kLinkBackup || fault_ == Fault::kLinkAndCopyBackup)
      return Simulated(kOtherError, false);
    if (fault_ == Fault::kHeldWhileLinked) held_.Hold(holdFor_);
    if (held_.Refuses(existing, Operation::kLink)) return Simulated(HeldFile::Answer(), false);
    return files_.Link(existing, link);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    error_.reset();
    if (fault_ == Fault::kRenameBackup && to == paths_.backup) return Simulated(kOtherError, false);
    if (fault_ == Fault::kRenameDictionary && to == paths_.dictionary) return Simulated(kOtherError, false);
    if (fault_ == Fault::kDictionaryReadOnly && to == paths_.dictionary) return Simulated(kDenied, false);
    if ((fault_ == Fault::kHeldWhileBackedUp && to == paths_.backup) ||
        (fault_ == Fault::kHeldWhileReplaced && to == paths_.dictionary)) {
      held_.Hold(holdFor_);
    }
    if (held_.Refuses(from, Operation::kRename) || held_.Refuses(to, Operation::kRename)) {
      return Simulated(HeldFile::Answer(), false);
    }
    return files_.Rename(from, to);
  }
  // Where done, a plain rename stands for the system's: only a hold of `from` refuses it.
  bool RenameOverOpenFile(const std::string& from, const std::string& to) override {
    error_.reset();
    if (path_ == Path::kPlain) return Simulated({0, Refusal::kUnsupported}, false);
    if (held_.Refuses(from, Operation::kRename)) return Simulated(HeldFile::Answer(), false);
    return files_.Rename(from, to);
  }
  bool Remove(const std::string& path) override {
    error_.reset();
    if (fault_ == Fault::kWritePartWayAndRemove) return Simulated(kOtherError, false);
    if (held_.Refuses(path, Operation::kRemove)) return Simulated(HeldFile::Answer(), false);
    return files_.Remove(path);
  }
  dictionary::PathFacts Inspect(const std::string& path) override {
    dictionary::PathFacts facts = files_.Inspect(path);
    if (held_.Refuses(path, Operation::kRemove)) facts.removal = HeldFile::Answer();
    if (fault_ == Fault::kDictionaryReadOnly && path == paths_.dictionary) facts.readOnly = true;
    return facts;
  }
  std::optional<dictionary::FileError> ProbeFolder(const std::string& path) override {
    if (fault_ == Fault::kFolderNotWritable) return kDenied;
    return files_.ProbeFolder(path);
  }
  dictionary::FileError LastError() const override { return error_ ? *error_ : files_.LastError(); }

  // Lets go of a file still held, so that what is on disk can be read.
  void Release() { held_.Release(); }

 private:
  static std::string HeldPath(Fault fault, const DictionaryPaths& paths) {
    switch (fault) {
      case Fault::kHeldWhileCreated:
        return paths.work;
      case Fault::kHeldWhileBackedUp:
        return paths.backup;
      default:
        return paths.dictionary;
    }
  }
  static HeldFile::Mode HeldMode(Fault fault) {
    return fault == Fault::kHeldWhileBackedUp || fault == Fault::kHeldWhileReplaced ||
                   fault == Fault::kHeldByReader
               ? HeldFile::Mode::kUndeletable
               : HeldFile::Mode::kExclusive;
  }
  template <class T>
  T Simulated(dictionary::FileError error, T failed) {
    error_ = error;
    return failed;
  }

  Fault fault_;
  Path path_;
  DictionaryPaths paths_;
  std::chrono::milliseconds holdFor_;
  HeldFile held_;
  std::optional<dictionary::FileError> error_;  // set when this object refused in the system's place
  dictionary::NativeFileSystem files_;
};

const char* StatusName(RegisterStatus status) {
  switch (status) {
    case RegisterStatus::kRegistered:
      return "registered";
    case RegisterStatus::kNotRegistrable:
      return "not registrable";
    case RegisterStatus::kRowNotFound:
      return "row not found";
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
  const FillerDictionary filler = MakeFillerDictionary(10000);  // about 250 KB
  const std::string& oldDictionary = filler.before;
  const std::string& newDictionary = filler.after;
  const std::string previousBackup = "the previous backup\r\n";
  const std::string leftover = "a work file left behind\r\n";

  struct Row {
    const char* fault;
    Fault kind;
    std::chrono::milliseconds held;
    RegisterStatus status;
    const char* refused;     // the file the failure names, "" on success
    Refusal reason;          // why the refused step was refused
    const char* dictionary;  // "old" or "new"
    const char* backup;      // "previous", "old" or "absent"
    const char* work;        // "absent", "partial", "leftover" or "directory"
    Path path = Path::kPlain;
  };
  const auto none = kThroughout;
  const Refusal other = Refusal::kOther, held = Refusal::kHeld, full = Refusal::kDiskFull;
  const Row rows[] = {
      {"none", Fault::kNone, none, RegisterStatus::kRegistered, "", other, "new", "old", "absent"},
      {"dictionary can't be opened", Fault::kOpenDictionary, none, RegisterStatus::kNoDictionary,
       "RAdoro.txt", other, "old", "previous", "absent"},
      {"work file can't be created", Fault::kCreateWorkFile, none, RegisterStatus::kWorkFileNotCreated,
       "RAdoro.txt.next", other, "old", "previous", "absent"},
      {"work file name is a directory", Fault::kWorkNameIsDirectory, none,
       RegisterStatus::kWorkFileNotCreated, "RAdoro.txt.next", other, "old", "previous", "directory"},
      {"read error part-way", Fault::kReadPartWay, none, RegisterStatus::kReadFailed, "RAdoro.txt", other,
       "old", "previous", "absent"},
      {"disk full part-way", Fault::kWritePartWay, none, RegisterStatus::kWriteFailed, "RAdoro.txt.next",
       full, "old", "previous", "absent"},
      {"disk full, work file not removable", Fault::kWritePartWayAndRemove, none,
       RegisterStatus::kWriteFailed, "RAdoro.txt.next", full, "old", "previous", "partial"},
      {"flush to disk fails", Fault::kSync, none, RegisterStatus::kSyncFailed, "RAdoro.txt.next", other,
       "old", "previous", "absent"},
      {"no hard links: the backup is copied", Fault::kLinkBackup, none, RegisterStatus::kRegistered, "",
       other, "new", "old", "absent"},
      {"backup can't be linked or copied", Fault::kLinkAndCopyBackup, none, RegisterStatus::kReplaceFailed,
       "RAdoro.txt.bak.tmp", other, "old", "previous", "absent"},
      {"backup name is a directory", Fault::kBackupNameIsDirectory, none, RegisterStatus::kReplaceFailed,
       "RAdoro.txt.bak", other, "old", "directory", "absent"},
      {"backup can't take its name", Fault::kRenameBackup, none, RegisterStatus::kReplaceFailed,
       "RAdoro.txt.bak", other, "old", "previous", "absent"},
      {"dictionary can't be replaced", Fault::kRenameDictionary, none, RegisterStatus::kReplaceFailed,
       "RAdoro.txt", other, "old", "old", "absent"},
      {"dictionary held a moment when read", Fault::kHeldWhileOpened, kMoment, RegisterStatus::kRegistered,
       "", other, "new", "old", "absent"},
      {"dictionary held throughout when read", Fault::kHeldWhileOpened, kThroughout,
       RegisterStatus::kNoDictionary, "RAdoro.txt", held, "old", "previous", "absent"},
      {"work file held a moment", Fault::kHeldWhileCreated, kMoment, RegisterStatus::kRegistered, "", other,
       "new", "old", "absent"},
      {"work file held throughout", Fault::kHeldWhileCreated, kThroughout,
       RegisterStatus::kWorkFileNotCreated, "RAdoro.txt.next", held, "old", "previous", "leftover"},
      {"dictionary held a moment when linked", Fault::kHeldWhileLinked, kMoment, RegisterStatus::kRegistered,
       "", other, "new", "old", "absent"},
      {"dictionary held throughout when linked", Fault::kHeldWhileLinked, kThroughout,
       RegisterStatus::kReplaceFailed, "RAdoro.txt", held, "old", "previous", "absent"},
      {"backup held a moment", Fault::kHeldWhileBackedUp, kMoment, RegisterStatus::kRegistered, "", other,
       "new", "old", "absent"},
      {"backup held throughout", Fault::kHeldWhileBackedUp, kThroughout, RegisterStatus::kReplaceFailed,
       "RAdoro.txt.bak", held, "old", "previous", "absent"},
      {"dictionary held a moment when replaced", Fault::kHeldWhileReplaced, kMoment,
       RegisterStatus::kRegistered, "", other, "new", "old", "absent"},
      {"dictionary held throughout when replaced", Fault::kHeldWhileReplaced, kThroughout,
       RegisterStatus::kReplaceFailed, "RAdoro.txt", held, "old", "old", "absent"},
      {"held by a reader, replaced over it", Fault::kHeldByReader, kThroughout, RegisterStatus::kRegistered,
       "", other, "new", "old", "absent", Path::kOverOpen},
      {"held by a reader, plain rename", Fault::kHeldByReader, kThroughout, RegisterStatus::kReplaceFailed,
       "RAdoro.txt", held, "old", "old", "absent"},
      {"folder can't be written", Fault::kFolderNotWritable, none, RegisterStatus::kWorkFileNotCreated,
       "RAdoro.txt.next", Refusal::kAccessDenied, "old", "previous", "absent"},
      {"dictionary is read-only", Fault::kDictionaryReadOnly, none, RegisterStatus::kReplaceFailed,
       "RAdoro.txt", Refusal::kReadOnly, "old", "old", "absent"},
  };

  const auto describe = [&](const std::string& path) -> std::string {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return "absent";
    if (std::filesystem::is_directory(path, error)) return "directory";
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (bytes == oldDictionary) return "old";
    if (bytes == newDictionary) return "new";
    if (bytes == previousBackup) return "previous";
    if (bytes == leftover) return "leftover";
    if (bytes && oldDictionary.compare(0, bytes->size(), *bytes) == 0) return "partial";
    return "other";
  };

  const char* const format = "%-42s %-22s %-25s %-11s %-15s %s\n";
  std::printf(format, "fault", "status", "refused file", "RAdoro.txt", "RAdoro.txt.bak", "RAdoro.txt.next");
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
    if (row.kind == Fault::kHeldWhileCreated) WriteWholeFile(paths.work, leftover);

    FaultyFileSystem files(row.kind, row.path, paths, row.held);
    const RegisterOutcome outcome = RegisterPronunciation("run\tfast", "x", files, paths);
    files.Release();
    const std::string dictionary = describe(paths.dictionary);
    const std::string backup = describe(paths.backup);
    const std::string work = describe(paths.work);
    const std::string refused =
        outcome.Succeeded() ? "" : std::filesystem::path(outcome.refused.path).filename().string();
    const std::string refusedShown = refused + (outcome.refused.error.Held() ? " (held)" : "");
    std::printf(format, row.fault, StatusName(outcome.status), refusedShown.c_str(), dictionary.c_str(),
                backup.c_str(), work.c_str());

    EXPECT_EQ(outcome.status, row.status);
    EXPECT_EQ(outcome.Succeeded(), row.status == RegisterStatus::kRegistered);
    EXPECT_EQ(refused, row.refused);
    if (!outcome.Succeeded()) {
      EXPECT_EQ(outcome.refused.error.reason, row.reason);
      EXPECT_NE(outcome.refused.error.code, 0u);
      // What the user is told names the refused file in full, and what helps.
      const std::string message = RegistrationFailureText(outcome, outcome.refused.path, "");
      EXPECT_TRUE(std::filesystem::path(outcome.refused.path).is_absolute());
      EXPECT_NE(message.find(outcome.refused.path), std::string::npos);
      std::printf("    %s\n", message.substr(message.rfind('\n') + 1).c_str());
    }
    EXPECT_EQ(describe(paths.stagedBackup), "absent");
    EXPECT_EQ(dictionary, row.dictionary);
    EXPECT_EQ(backup, row.backup);
    EXPECT_EQ(work, row.work);
  }
  std::fflush(stdout);
}

}  // namespace
}  // namespace rows
