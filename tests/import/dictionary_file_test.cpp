#include "dictionary_file.h"

#include <gtest/gtest.h>

#include "import_error.h"
#include "test_files.h"

namespace import {
namespace {

using import_test::ReadBytes;
using import_test::TempDir;
using import_test::WriteBytes;

TEST(DictionaryFileTest, SortByHeadword) {
  std::vector<DictionaryLine> lines;
  for (const char* h : {"runaway", "Run", "rerun", "run-up", "RUN", "run away", "\x91\x96", "run", "apple", "Apple"})
    lines.push_back({h, "m"});
  SortByHeadword(lines);
  std::vector<std::string> order;
  for (const auto& l : lines) order.push_back(l.headword);
  EXPECT_EQ(order, (std::vector<std::string>{"apple", "Apple", "rerun", "run", "Run", "RUN", "run away", "run-up",
                                             "runaway", "\x91\x96"}));
}

TEST(DictionaryFileTest, JoinWithinLine) {
  bool shortened = true;
  EXPECT_EQ(JoinWithinLine("h", {"a", "b", "c"}, ", ", shortened), "a, b, c");
  EXPECT_FALSE(shortened);
  EXPECT_EQ(JoinWithinLine("h", {}, ", ", shortened), "");
  EXPECT_FALSE(shortened);

  // Headword, TAB and meaning fill the reader's buffer exactly: 10238 bytes
  // before the line end.
  const std::string headword(100, 'h');
  const size_t room = kLongestLineText - headword.size() - 1;
  std::string first(room - 2, 'a');
  EXPECT_EQ(JoinWithinLine(headword, {first, "b"}, " ", shortened), first + " b");
  EXPECT_FALSE(shortened);
  EXPECT_EQ(JoinWithinLine(headword, {first, "bc", "d"}, " ", shortened), first);
  EXPECT_TRUE(shortened);
  EXPECT_EQ(JoinWithinLine(headword, {std::string(room + 1, 'a'), "b"}, " ", shortened), "");
  EXPECT_TRUE(shortened);
}

TEST(DictionaryFileTest, WriteDictionaryWritesCrLfLines) {
  TempDir dir;
  const std::string path = dir / "RAdoro.txt";
  EXPECT_EQ(WriteDictionary(path, {{"run", "\x91\x96\x82\xe9"}, {"cat", "\x94\x4c"}}), 18u);
  EXPECT_EQ(ReadBytes(path), "run\t\x91\x96\x82\xe9\r\ncat\t\x94\x4c\r\n");
  EXPECT_EQ(dir.Listing(), "RAdoro.txt ");

  // Replacing an existing file keeps it as the backup.
  EXPECT_EQ(WriteDictionary(path, {}), 0u);
  EXPECT_EQ(ReadBytes(path), "");
  EXPECT_EQ(ReadBytes(path + ".bak"), "run\t\x91\x96\x82\xe9\r\ncat\t\x94\x4c\r\n");
  EXPECT_EQ(dir.Listing(), "RAdoro.txt RAdoro.txt.bak ");
}

TEST(DictionaryFileTest, UnwritableOutputFailsAndLeavesNothing) {
  TempDir dir;
  std::filesystem::create_directory(dir / "taken");
  WriteBytes(dir / "taken/keep", "x");
  const std::string cases[] = {dir / "no-such-folder/RAdoro.txt", dir / "taken"};
  for (const std::string& path : cases) {
    try {
      WriteDictionary(path, {{"run", "m"}});
      ADD_FAILURE() << path << " was written";
    } catch (const ImportError& e) {
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(dir.Listing(), "taken ");
  EXPECT_EQ(ReadBytes(dir / "taken/keep"), "x");
}

}  // namespace
}  // namespace import
