// The text mode done on raw bytes agrees with the Windows C runtime's own,
// which the listing once read and the rewrite once wrote with.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "dictionary/text_mode_reader.h"
#include "dictionary/text_mode_writer.h"
#include "dictionary/native_file_system.h"
#include "tests/support/temp_dir.h"

namespace dictionary {
namespace {

using namespace std::string_literals;
using testsupport::ReadWholeFile;
using testsupport::TempDir;
using testsupport::WriteWholeFile;

TEST(WindowsTextModeTest, AgreesWithTheRuntime) {
  TempDir dir;
  const std::string path = dir.File("text.txt");
  const std::string filler(kMaxPieceLength - 1, 'a');
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
      std::vector<char> line(kMaxPieceLength + 1);
      while (std::fgets(line.data(), static_cast<int>(line.size()), file)) runtime.emplace_back(line.data());
      std::fclose(file);
    }
    std::vector<std::string> ours;
    {
      NativeFileSystem files;
      const std::unique_ptr<ByteSource> file = files.OpenForRead(path);
      ASSERT_NE(file, nullptr);
      PieceFilter every;
      every.AllowAll();
      ForEachPiece(*file, every, [&](const Piece& piece) { ours.emplace_back(piece.text); });
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
    NativeFileSystem files;
    const std::unique_ptr<OutputFile> file = files.CreateWorkFile(path);
    ASSERT_NE(file, nullptr);
    TextModeWriter writer(*file);
    writer.WriteText(text);
    ASSERT_TRUE(writer.Flush());
  }
  EXPECT_EQ(ReadWholeFile(path), runtime);
}

}  // namespace
}  // namespace dictionary
