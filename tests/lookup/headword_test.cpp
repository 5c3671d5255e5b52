// Which lines a word lists: headwords, case, TABs, zero bytes and pieces.
#include <gtest/gtest.h>

#include "tests/support/dictionary_fixture.h"

namespace lookup {
namespace {

using fixture::CheckedList;

std::string Repeat(char c, size_t n) { return std::string(n, c); }

struct MatchCase {
  const char* name;
  std::string dictionary;
  std::string word;
  std::vector<std::string> rows;  // empty: nothing matches
};

const MatchCase kMatchCases[] = {
    {"prefix, any ASCII case, file order",
     "run\ta\r\nRun\tb\r\nrunning\tc\r\nrerun\td\r\nRUNAWAY\te\r\n",
     "run",
     {"run\ta\n", "Run\tb\n", "running\tc\n", "RUNAWAY\te\n"}},
    {"word longer than every headword", "run\tmeaning\r\n", "runs", {}},
    {"headword shorter than the word", "ru\tn\r\n", "run", {}},
    {"upper-case word", "running\tx\n", "RUN", {"running\tx\n"}},
    {"only A to Z fold", "\xC9t\xE9\tsummer\n\xE9t\xE9\tete\n", "\xE9T", {"\xE9t\xE9\tete\n"}},
    {"a trail byte folds like a letter", "\x83\x41\tkatakana\n", "\x83\x61", {"\x83\x41\tkatakana\n"}},
    {"';' in the headword cuts the row, not the match", "ru;n\tx\n", "ru;n", {"ru"}},
    {"pronunciation shows in the row", "run\t[r\xCA\x8Cn]\tto move\r\n", "run", {"run\t[r\xCA\x8Cn]\tto move\n"}},
    {"leading TAB belongs to the headword", "\trun\tx\n", "run", {}},
    {"word with the leading TAB", "\trun\tx\n", "\tRU", {"\trun\tx\n"}},
    {"leading TABs, then the headword ends", "\t\trun\tx\n", "\t\trun\t", {}},
    {"a TAB after the headword never matches", "run\tx\n", "run\t", {}},
    {"no TAB: the LF belongs to the headword", "run\r\n", "run\n", {"run\n"}},
    {"blank line at the end is skipped", "\t\t", "\t", {}},
    {"TABs and LF are no blank line", "\t\t\n", "\t", {"\t\t\n"}},
    {"empty line matches only a word of LF", "\n\n", "a", {}},
    {"an empty line matches the word LF", "\n\r\n", "\n", {"\n", "\n"}},
    {"zero byte ends the text", std::string("run\0abc\tx\n", 10), "run", {"run"}},
    {"zero byte ends the headword", std::string("run\0abc\tx\n", 10), "runa", {}},
    {"zero byte before the word ends", std::string("ru\0n\tx\n", 7), "run", {}},
    {"line starting with a zero byte", std::string("\0run\n", 5), "run", {}},
    {"lone CR is part of the headword", "run\r\tx\n", "run\r", {"run\r\tx\n"}},
    {"Ctrl+Z hides the rest", "cat\tx\n\x1A" "cattle\ty\n", "cat", {"cat\tx\n"}},
    {"a second piece is a line of its own", Repeat('a', 10239) + "run\tmeaning\r\n", "run", {"run\tmeaning\n"}},
    {"a first piece matches by its own start", Repeat('a', 10239) + "run\tmeaning\r\n", "aaa",
     {Repeat('a', 10239)}},
    {"a piece may begin with a TAB", Repeat('a', 10239) + "\trun\tx\n", "\trun", {"\trun\tx\n"}},
};

TEST(HeadwordTest, Matches) {
  for (const MatchCase& c : kMatchCases) {
    SCOPED_TRACE(c.name);
    ListFill fill = CheckedList(c.dictionary, c.word);
    EXPECT_TRUE(fill.opened);
    EXPECT_EQ(fill.count, static_cast<int32_t>(c.rows.size()));
    EXPECT_EQ(fill.rows, c.rows.empty() ? std::vector<std::string>{"Unknown"} : c.rows);
  }
}

TEST(HeadwordTest, WordEndsAtZeroByte) {
  ListFill fill = CheckedList("run\tx\n", std::string("ru\0zzz", 6));
  EXPECT_EQ(fill.rows, std::vector<std::string>{"run\tx\n"});
}

}  // namespace
}  // namespace lookup
