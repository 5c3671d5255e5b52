#include "text_util.h"

#include <gtest/gtest.h>

namespace import {
namespace {

TEST(TextUtilTest, ShortenAtWord) {
  struct Case {
    const char* text;
    size_t limit;
    const char* expected;
  } cases[] = {
      {"", 10, ""},
      {"short", 5, "short"},
      {"to cast out, expel, reject", 19, "to cast out, expel…"},
      {"to cast out, expel, reject", 20, "to cast out, expel…"},  // the comma goes too
      {"having (used to form adjectives) more", 20, "having (used to form…)"},
      {"unbreakable", 5, "unbre…"},
      {"日本語の文", 7, "日本…"},  // never inside a character: 3 bytes each
  };
  for (const auto& c : cases) {
    bool shortened = false;
    EXPECT_EQ(ShortenAtWord(c.text, c.limit, shortened), c.expected) << c.text;
    EXPECT_EQ(shortened, std::string(c.text) != c.expected) << c.text;
  }
}

TEST(TextUtilTest, Split) {
  EXPECT_EQ(Split("", '/'), (std::vector<std::string_view>{""}));
  EXPECT_EQ(Split("a//b/", '/'), (std::vector<std::string_view>{"a", "", "b", ""}));
}

TEST(TextUtilTest, LineNumberAt) {
  EXPECT_EQ(LineNumberAt("ab\ncd\n", 0), 1u);
  EXPECT_EQ(LineNumberAt("ab\ncd\n", 2), 1u);
  EXPECT_EQ(LineNumberAt("ab\ncd\n", 3), 2u);
  EXPECT_EQ(LineNumberAt("ab\ncd\n", 99), 3u);
}

}  // namespace
}  // namespace import
