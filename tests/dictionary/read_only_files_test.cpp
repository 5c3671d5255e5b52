// The platform's files as a lookup reads them: stamps that tell one state of
// a file from another, in the clock's own units, and reads at any offset.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "dictionary/native_file_system.h"
#include "dictionary/read_only_file.h"
#include "tests/support/temp_dir.h"

namespace dictionary {
namespace {

using testsupport::TempDir;
using testsupport::WriteWholeFile;

FileStamp StampOf(ReadOnlyFiles& files, const std::string& path) {
  const std::unique_ptr<ReadOnlyFile> file = files.Open(path);
  EXPECT_NE(file, nullptr) << path;
  return file ? file->Stamp() : FileStamp{};
}

std::string ReadAt(ReadOnlyFile& file, uint64_t offset, size_t size) {
  std::string bytes(size, '\0');
  const std::ptrdiff_t got = file.ReadAt(offset, bytes.data(), size);
  EXPECT_GE(got, 0);
  bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return bytes;
}

TEST(ReadOnlyFilesTest, StampsTellEveryChangeApart) {
  TempDir dir;
  NativeReadOnlyFiles files;
  NativeFileSystem fileSystem;
  const std::string path = dir / "RAdoro.txt";
  const std::string other = dir / "other.txt";
  WriteWholeFile(path, "run\tmeaning\r\n");
  const auto longAgo = std::filesystem::last_write_time(path) - std::chrono::hours(24);
  std::filesystem::last_write_time(path, longAgo);

  const FileStamp first = StampOf(files, path);
  EXPECT_EQ(first.size, 13u);
  EXPECT_EQ(StampOf(files, path), first) << "unchanged";

  // Another file of the same size and time put in its place.
  WriteWholeFile(other, "ran\tmeaning\r\n");
  std::filesystem::last_write_time(other, longAgo);
  ASSERT_TRUE(fileSystem.Rename(other, path));
  const FileStamp replaced = StampOf(files, path);
  EXPECT_EQ(replaced.size, first.size);
  EXPECT_EQ(replaced.lastWrite, first.lastWrite);
  EXPECT_NE(replaced.file, first.file);

  WriteWholeFile(path, "ran\tanother meaning\r\n");
  const FileStamp written = StampOf(files, path);
  EXPECT_EQ(written.file, replaced.file) << "written in place";
  EXPECT_EQ(written.volume, replaced.volume);
  EXPECT_EQ(written.size, 21u);
  EXPECT_NE(written.lastWrite, replaced.lastWrite);

  std::filesystem::last_write_time(path, longAgo + std::chrono::seconds(1));
  EXPECT_EQ(StampOf(files, path).lastWrite, first.lastWrite + kTicksPerSecond) << "a second after the first";

  EXPECT_EQ(files.Open(dir / "missing.txt"), nullptr);
  EXPECT_EQ(files.LastOpenError(), 2u) << "not found, in either system's numbering";
}

// A file just written bears the clock's time, or a read within a tick of the
// write would be taken for one long after it.
TEST(ReadOnlyFilesTest, LastWriteTimesAreTheClocksTime) {
  TempDir dir;
  NativeReadOnlyFiles files;
  const FileTime before = files.Now();
  WriteWholeFile(dir / "RAdoro.txt", "run\tmeaning\r\n");
  const FileTime lastWrite = StampOf(files, dir / "RAdoro.txt").lastWrite;
  EXPECT_LE(before - lastWrite, kTimestampGranularity);
  EXPECT_LE(lastWrite - files.Now(), kTimestampGranularity);
}

TEST(ReadOnlyFilesTest, ReadsFromTheStartAndAtOffsets) {
  TempDir dir;
  NativeReadOnlyFiles files;
  WriteWholeFile(dir / "RAdoro.txt", "0123456789");
  const std::unique_ptr<ReadOnlyFile> file = files.Open(dir / "RAdoro.txt");
  ASSERT_NE(file, nullptr);
  char start[4];
  ASSERT_EQ(file->Read(start, 4), 4);
  EXPECT_EQ(ReadAt(*file, 7, 10), "789");
  EXPECT_EQ(ReadAt(*file, 10, 5), "");
  EXPECT_EQ(ReadAt(*file, 1000, 5), "");
  char next[10];
  ASSERT_EQ(file->Read(next, 10), 6) << "reads at offsets leave where Read goes on";
  EXPECT_EQ(std::string(next, 6), "456789");
  EXPECT_EQ(file->Read(next, 10), 0);
}

}  // namespace
}  // namespace dictionary
