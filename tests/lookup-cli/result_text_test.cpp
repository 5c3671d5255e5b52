#include "result_text.h"

#include <gtest/gtest.h>

namespace lookup_cli {
namespace {

lookup::ListFill Fill(std::vector<std::string> rows, int32_t count) {
  lookup::ListFill f;
  f.opened = true;
  f.rows = std::move(rows);
  f.count = count;
  return f;
}

TEST(ResultTextTest, ListsInUseOneAfterTheOther) {
  lookup::LookupResult r;
  r.shown = true;
  r.lists[0] = Fill({"construct\tv. \x8c\x9a\x90\xdd\x82\xb7\x82\xe9\n", "construction\tn. x"}, 2);
  r.lists[1] = Fill({"instruct\tv. y\n"}, 1);
  r.lists[2] = Fill({"destruct\tv. z\n"}, 1);
  r.lists[3] = Fill({"Unknown"}, 0);  // the last failed candidate: beyond the lists in use
  r.listCounter = 3;

  TerminalText raw(false);
  EXPECT_EQ(ResultText(r, raw),
            "[1000] 2 found\nconstruct\tv. \x8c\x9a\x90\xdd\x82\xb7\x82\xe9\nconstruction\tn. x\n"
            "[1001] 1 found\ninstruct\tv. y\n"
            "[1002] 1 found\ndestruct\tv. z\n");
  TerminalText utf8(true);
  EXPECT_EQ(ResultText(r, utf8),
            "[1000] 2 found\nconstruct\tv. 建設する\nconstruction\tn. x\n"
            "[1001] 1 found\ninstruct\tv. y\n"
            "[1002] 1 found\ndestruct\tv. z\n");
  EXPECT_EQ(ExitCodeFor(r), 0);
}

TEST(ResultTextTest, NothingFound) {
  lookup::LookupResult r;
  r.shown = true;
  r.lists[0] = Fill({"Unknown"}, 0);
  TerminalText raw(false);
  EXPECT_EQ(ResultText(r, raw), "[1000] nothing found\nUnknown\n");
  EXPECT_EQ(ExitCodeFor(r), 1);
  r.lists[0].reset();
  EXPECT_EQ(ExitCodeFor(r), 1);
}

TEST(TerminalTextTest, Conversions) {
  TerminalText utf8(true);
  EXPECT_EQ(utf8.FromDictionary("\x91\x96\x82\xe9 ok"), "走る ok");
  EXPECT_EQ(utf8.FromDictionary("a\x81\x47" "b"), "a；b");
  EXPECT_EQ(utf8.FromDictionary("\x81\x60"), "～");
  // A lone lead byte or an unassigned code: the rest still shows.
  EXPECT_EQ(utf8.FromDictionary("x\x81"), "x\xEF\xBF\xBD");
  EXPECT_EQ(utf8.FromDictionary("\xff" "abc"), "\xEF\xBF\xBD" "abc");

  std::string query;
  EXPECT_TRUE(utf8.ToDictionary("走る", query));
  EXPECT_EQ(query, "\x91\x96\x82\xe9");
  EXPECT_FALSE(utf8.ToDictionary("스", query));

  TerminalText raw(false);
  EXPECT_EQ(raw.FromDictionary("\x91\x96\xff"), "\x91\x96\xff");
  EXPECT_TRUE(raw.ToDictionary("\x91\x96", query));
  EXPECT_EQ(query, "\x91\x96");
}

}  // namespace
}  // namespace lookup_cli
