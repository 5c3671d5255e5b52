#include "rows/row_word.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace rows {
namespace {

// "の過去" and "の過去形" in code page 932.
#define PAST "\x82\xCC\x89\xDF\x8B\x8E"
#define PAST_FORM PAST "\x8C\x60"
#define GO_JA "\x8D\x73\x82\xAD"  // 行く

TEST(WordToFollowTest, Table) {
  struct Case {
    std::string row;
    std::optional<std::string> word;
  };
  const Case cases[] = {
      // A past form: the word between the first space and the mark.
      {"went\tv. go" PAST_FORM "\n", "go"},
      {"went\tv. to go" PAST "\n", "to go"},
      {"went\tv. " PAST "\n", ""},
      {"went\tgo" PAST_FORM "\n", std::nullopt},
      // Only the first mark counts, and only spaces before it.
      {"went\tgo" PAST " x\n", std::nullopt},
      {"a b" PAST "c d" PAST "\n", "b"},
      {"went\tv.\tx go" PAST "\n", "go"},
      // Otherwise the beginning up to the first space or TAB.
      {"abandon\tto give up\n", "abandon"},
      {"look after\tto care for\n", "look"},
      {"look\tafter", std::nullopt},
      {"run\tv. \x91\x96\x82\xE9", "run"},
      {" lead\tx", ""},
      {"\tlead x", ""},
      {"a  b", "a"},
      // No ASCII space at all: nothing happens. 0x8140 is the full-width space.
      {"Unknown", std::nullopt},
      {"go\t" GO_JA "\n", std::nullopt},
      {"go\t\x81\x40" GO_JA "\n", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WordToFollow(c.row), c.word) << "row: " << c.row;
  }
}

}  // namespace
}  // namespace rows
