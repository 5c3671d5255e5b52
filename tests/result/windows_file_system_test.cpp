// The registration on real Windows files: ReplaceFile with and without an
// earlier backup, the failures that keep the dialog open, and the text mode
// done on raw bytes agreeing with the C runtime's own.
#include "result/windows_file_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "lookup/text_mode.h"
#include "result/dictionary_rewrite.h"
#include "result/text_mode_writer.h"
#include "temp_dir.h"

namespace rowaction {
namespace {

using namespace std::string_literals;

TEST(WindowsRegisterTest, FirstRegistrationMakesTheBackup) {
  TempDir dir;
  const DictionaryPaths paths = DictionaryPaths::In(dir.Path());
  const std::string dictionary = "abandon\tto give up\r\nrun\tfast;note\nz\tlast";
  WriteWholeFile(paths.dictionary, dictionary);
  WindowsFileSystem files;
  const RegisterOutcome outcome = RegisterPronunciation("run\tfast", "x", files, paths);
  EXPECT_TRUE(outcome.Succeeded());
  EXPECT_EQ(outcome.replacedLines, 1);
  EXPECT_EQ(ReadWholeFile(paths.dictionary), "abandon\tto give up\r\nrun\t[x]\tfast;note\r\nz\tlast");
  EXPECT_EQ(ReadWholeFile(paths.backup), dictionary);
  EXPECT_EQ(ReadWholeFile(paths.work), std::nullopt);
}

TEST(WindowsRegisterTest, EarlierBackupAndWorkFileAreReplaced) {
  TempDir dir;
  const DictionaryPaths paths = DictionaryPaths::In(dir.Path());
  WriteWholeFile(paths.dictionary, "run\tfast\r\n");
  WriteWholeFile(paths.backup, "an older backup\r\n");
  WriteWholeFile(paths.work, "left behind by an earlier run, longer than the new dictionary\r\n");
  WindowsFileSystem files;
  ASSERT_TRUE(RegisterPronunciation("run\tfast\n", "x", files, paths).Succeeded());
  ASSERT_TRUE(RegisterPronunciation("run\t[x]\tfast\n", "y", files, paths).Succeeded());
  EXPECT_EQ(ReadWholeFile(paths.dictionary), "run\t[y]\tfast\r\n");
  EXPECT_EQ(ReadWholeFile(paths.backup), "run\t[x]\tfast\r\n");
  EXPECT_EQ(ReadWholeFile(paths.work), std::nullopt);
}

TEST(WindowsRegisterTest, MissingDictionaryCreatesNothing) {
  TempDir dir;
  WindowsFileSystem files;
  EXPECT_EQ(RegisterPronunciation("run\tfast\n", "x", files, DictionaryPaths::In(dir.Path())).status,
            RegisterStatus::kNoDictionary);
  EXPECT_EQ(dir.EntryCount(), 0u);
}

TEST(WindowsRegisterTest, FailuresLeaveTheDictionary) {
  const std::string dictionary = "run\tfast\r\n";
  {
    SCOPED_TRACE("work file name is a directory");
    TempDir dir;
    const DictionaryPaths paths = DictionaryPaths::In(dir.Path());
    WriteWholeFile(paths.dictionary, dictionary);
    ASSERT_TRUE(CreateDirectoryA(paths.work.c_str(), nullptr));
    WindowsFileSystem files;
    EXPECT_EQ(RegisterPronunciation("run\tfast\n", "x", files, paths).status,
              RegisterStatus::kWorkFileNotCreated);
    EXPECT_EQ(ReadWholeFile(paths.dictionary), dictionary);
  }
  {
    SCOPED_TRACE("backup name is a directory");
    TempDir dir;
    const DictionaryPaths paths = DictionaryPaths::In(dir.Path());
    WriteWholeFile(paths.dictionary, dictionary);
    ASSERT_TRUE(CreateDirectoryA(paths.backup.c_str(), nullptr));
    WriteWholeFile(paths.backup + "/kept", "x");
    WindowsFileSystem files;
    EXPECT_EQ(RegisterPronunciation("run\tfast\n", "x", files, paths).status, RegisterStatus::kReplaceFailed);
    EXPECT_EQ(ReadWholeFile(paths.dictionary), dictionary);
    EXPECT_EQ(ReadWholeFile(paths.work), std::nullopt);
  }
}

// The C runtime's text mode, as the listing once read and the rewrite once
// wrote: the raw-byte version must give the same text and the same file.
TEST(WindowsTextModeTest, AgreesWithTheRuntime) {
  TempDir dir;
  const std::string path = dir.File("text.txt");
  const std::string filler(lookup::kMaxPieceLength - 1, 'a');
  const std::string raws[] = {
      "a\r\nb\rc\r\r\nd\n\ne"s,
      filler + "\r\nb" + filler + "\rb" + filler + "ab\r\n",
      "a\r\x1A\r\nb"s,
      "x\r\n\x1A"s,
      std::string(70000, 'b') + "\r" + std::string(65536 - 70001 % 65536, 'c') + "\r\nd",
  };
  for (const std::string& raw : raws) {
    WriteWholeFile(path, raw);
    std::vector<std::string> runtime;
    {
      FILE* file = std::fopen(path.c_str(), "rt");
      ASSERT_NE(file, nullptr);
      std::vector<char> line(lookup::kMaxPieceLength + 1);
      while (std::fgets(line.data(), static_cast<int>(line.size()), file)) runtime.emplace_back(line.data());
      std::fclose(file);
    }
    std::vector<std::string> ours;
    {
      WindowsFileSystem files;
      const std::unique_ptr<lookup::ByteSource> file = files.OpenForRead(path);
      ASSERT_NE(file, nullptr);
      lookup::PieceFilter every;
      every.AllowAll();
      lookup::ForEachPiece(*file, every, [&](const lookup::Piece& piece) { ours.emplace_back(piece.text); });
    }
    EXPECT_EQ(ours, runtime) << "raw bytes: " << raw.size();
  }

  const std::string text = "a\nb\rc\r\n\n%s";
  {
    FILE* file = std::fopen(path.c_str(), "wt");
    ASSERT_NE(file, nullptr);
    std::fputs(text.c_str(), file);
    std::fclose(file);
  }
  const std::optional<std::string> runtime = ReadWholeFile(path);
  {
    WindowsFileSystem files;
    const std::unique_ptr<OutputFile> file = files.CreateWorkFile(path);
    ASSERT_NE(file, nullptr);
    TextModeWriter writer(*file);
    writer.WriteText(text);
    ASSERT_TRUE(writer.Flush());
  }
  EXPECT_EQ(ReadWholeFile(path), runtime);
}

}  // namespace
}  // namespace rowaction
