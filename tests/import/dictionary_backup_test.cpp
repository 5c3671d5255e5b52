#include "dictionary_backup.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include "import_checks.h"
#include "test_files.h"

namespace import {
namespace {

using import_test::ReadBytes;
using import_test::TempDir;
using import_test::WriteBytes;

TEST(DictionaryBackupTest, TheReplacedDictionaryIsKept) {
  TempDir dir;
  const std::string path = dir / "RAdoro.txt";
  std::string backup = "?";
  WriteDictionaryKeepingBackup(path, {{"a", "1"}}, backup);
  EXPECT_EQ(backup, "");
  EXPECT_EQ(dir.Listing(), "RAdoro.txt ");
  WriteDictionaryKeepingBackup(path, {{"b", "2"}}, backup);
  EXPECT_EQ(backup, path + ".bak");
  WriteDictionaryKeepingBackup(path, {{"c", "3"}}, backup);
  EXPECT_EQ(ReadBytes(path), "c\t3\r\n");
  EXPECT_EQ(ReadBytes(path + ".bak"), "b\t2\r\n");
  EXPECT_EQ(dir.Listing(), "RAdoro.txt RAdoro.txt.bak ");
}

// Limits the size of the files this process writes, as a full disk would.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

 private:
  rlimit saved_;
};

TEST(DictionaryBackupTest, AFailedWriteLeavesDictionaryAndBackup) {
  TempDir dir;
  const std::string path = dir / "RAdoro.txt";
  WriteBytes(path, "c\t3\r\n");
  WriteBytes(path + ".bak", "b\t2\r\n");
  std::string backup;
  {
    FileSizeLimit limit(16);
    EXPECT_THROW(WriteDictionaryKeepingBackup(path, {{"long", std::string(100, 'x')}}, backup), ImportError);
  }
  // A leftover that can't be cleared away stops the import before anything changes.
  std::filesystem::create_directories(dir / "RAdoro.txt.bak.new/x");
  const std::string message = import_test::FailureOf([&] {
    WriteDictionaryKeepingBackup(path, {{"d", "4"}}, backup);
  });
  EXPECT_NE(message.find(dir / "RAdoro.txt.bak.new"), std::string::npos) << message;
  EXPECT_EQ(ReadBytes(path), "c\t3\r\n");
  EXPECT_EQ(ReadBytes(path + ".bak"), "b\t2\r\n");
  EXPECT_EQ(dir.Listing(), "RAdoro.txt RAdoro.txt.bak RAdoro.txt.bak.new ");
}

}  // namespace
}  // namespace import
