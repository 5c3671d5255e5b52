// What one listing leaves in a list: rows, count, size and extent.
#include <gtest/gtest.h>

#include "tests/support/dictionary_fixture.h"

namespace lookup {
namespace {

using fixture::CheckedList;
using fixture::TempDictionary;

std::string Lines(const std::string& headword, int n) {
  std::string text;
  for (int i = 0; i < n; ++i) text += headword + std::to_string(i) + "\tx\r\n";
  return text;
}

TEST(ListFillTest, SizeAndExtent) {
  struct SizeCase {
    const char* name;
    std::string dictionary;
    std::string word;
    int32_t count, longestRow, height, extent;
  };
  const SizeCase cases[] = {
      {"no match: Unknown", "cat\tx\r\n", "dog", 0, 7, 32, 70},
      {"empty file: Unknown", "", "dog", 0, 7, 32, 70},
      {"one row with its LF", "run\tto move fast\r\n", "run", 1, 17, 32, 170},
      {"row cut at ';'", "run\tto move fast;old use\r\n", "run", 1, 16, 32, 160},
      {"row shorter than Unknown", "a\r\n", "a", 1, 2, 32, 20},
      {"longest of the rows", "ab\tx\r\nabc\tlonger row\r\nabd\ty\r\n", "ab", 3, 15, 56, 150},
      {"ten rows", Lines("w", 10), "w", 10, 5, 140, 50},
      {"twelve rows: sized for ten", Lines("w", 12), "w", 12, 6, 140, 60},
      {"a full piece", std::string(10239, 'x'), "x", 1, 10239, 32, 102390},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(c.name);
    ListFill fill = CheckedList(c.dictionary, c.word);
    EXPECT_EQ(fill.count, c.count);
    EXPECT_EQ(fill.longestRow, c.longestRow);
    EXPECT_EQ(fill.Width(), 195);
    EXPECT_EQ(fill.Height(), c.height);
    EXPECT_EQ(fill.Extent(), c.extent);
    EXPECT_EQ(static_cast<int32_t>(fill.rows.size()), c.count == 0 ? 1 : c.count);
  }
}

TEST(ListFillTest, SizedRowsClamp) {
  const std::pair<int32_t, int32_t> cases[] = {{0, 1}, {1, 1}, {2, 2}, {9, 9}, {10, 10}, {11, 10}, {100000, 10}};
  for (auto [count, rows] : cases) {
    ListFill fill;
    fill.opened = true;
    fill.count = count;
    EXPECT_EQ(fill.SizedRows(), rows) << count;
    EXPECT_EQ(fill.Height(), 12 * rows + 20) << count;
  }
}

TEST(ListFillTest, FinalLineListedOnce) {
  for (const char* dictionary : {"cat\tx", "cat\tx\n", "cat\tx\r\n", "cat\tx\r\n\x1A"}) {
    ListFill fill = CheckedList(dictionary, "cat");
    EXPECT_EQ(fill.count, 1) << ::testing::PrintToString(dictionary);
  }
}

TEST(ListFillTest, MissingFileEmptiesTheListOnly) {
  TempDictionary directory("");
  std::string missing = directory.directory() + "/missing.txt";
  ListFill fill = ListHeadword(missing, "cat");
  EXPECT_FALSE(fill.opened);
  EXPECT_TRUE(fill.rows.empty());
  EXPECT_EQ(fill.count, 0);
}

TEST(ListFillTest, FileIsReadAnewAtEveryCall) {
  TempDictionary file("cat\tx\r\n");
  EXPECT_EQ(ListHeadword(file.path(), "cat").count, 1);
  file.Rewrite("cat\tx\r\ncattle\ty\r\n");
  EXPECT_EQ(ListHeadword(file.path(), "cat").count, 2);
  EXPECT_EQ(Lookup(file.path(), "cat", false).largestCount, 2);
  file.Rewrite("dog\tz\r\n");
  EXPECT_EQ(Lookup(file.path(), "cat", false).largestCount, 0);
}

}  // namespace
}  // namespace lookup
