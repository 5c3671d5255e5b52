#include "cp932_encoder.h"

#include <gtest/gtest.h>

namespace import {
namespace {

TEST(Cp932EncoderTest, Encode) {
  struct Case {
    const char* utf8;
    const char* cp932;
    int64_t equivalents, unmappable, semicolons, controls;
  } cases[] = {
      {"", "", 0, 0, 0, 0},
      {"run", "run", 0, 0, 0, 0},
      {"走る", "\x91\x96\x82\xe9", 0, 0, 0, 0},
      {"ｱ", "\xb1", 0, 0, 0, 0},                         // half-width katakana: one byte
      {"①㈱", "\x87\x40\x87\x8a", 0, 0, 0, 0},            // NEC specials are code page 932
      {"～", "\x81\x60", 0, 0, 0, 0},                      // U+FF5E, the Windows form
      {"〜", "\x81\x60", 1, 0, 0, 0},                      // U+301C, the JIS wave dash
      {"−", "\x81\x7c", 1, 0, 0, 0},                       // U+2212 minus sign
      {"‖¢£¬—¦", "\x81\x61\x81\x91\x81\x92\x81\xca\x81\x5c\xfa\x55", 6, 0, 0, 0},  // their JIS forms
      {"a;b", "a\x81\x47" "b", 0, 0, 1, 0},                // ';' would hide the rest
      {"；", "\x81\x47", 0, 0, 0, 0},
      {"a\tb\rc\x1a" "d", "a b c d", 0, 0, 0, 3},          // TAB, CR, Ctrl+Z
      {"café", "cafe", 1, 0, 0, 0},
      {"鱝", "?", 0, 1, 0, 0},
      {"스", "?", 0, 1, 0, 0},
      {"痺鱝痺鱝", "\xe1\x83?\xe1\x83?", 0, 2, 0, 0},       // counted per occurrence, cached
  };
  for (const auto& c : cases) {
    const std::string utf8 = c.utf8, expected = c.cp932;
    Cp932Encoder encoder;
    std::optional<std::string> out = encoder.Encode(utf8);
    ASSERT_TRUE(out) << utf8;
    EXPECT_EQ(*out, expected) << utf8;
    EXPECT_EQ(encoder.Counts().equivalents, c.equivalents) << utf8;
    EXPECT_EQ(encoder.Counts().unmappable, c.unmappable) << utf8;
    EXPECT_EQ(encoder.Counts().semicolons, c.semicolons) << utf8;
    EXPECT_EQ(encoder.Counts().controls, c.controls) << utf8;
  }
}

// What code page 932 lacks, each system replaces in its own way: glibc's
// transliteration, or a decomposition and then Windows' best fit.
TEST(Cp932EncoderTest, EachSystemsSubstitutes) {
  struct Case {
    const char* utf8;
    const char *posix, *windows;
  } cases[] = {
      {"CH₃", "CH3", "CH3"},
      {"\xcd\xbe", "\x81\x47", "\x81\x47"},  // U+037E is ';', made full-width
      {"è", "e", "e"},
      {"ō", "o", "o"},
      {"ﬁ", "fi", "fi"},
      {"ß", "ss", "s"},
      {"€", "EUR", "?"},
      {"鱝", "?", "?"},
  };
  for (const auto& c : cases) {
    Cp932Encoder encoder;
#ifdef _WIN32
    const std::string expected = c.windows;
#else
    const std::string expected = c.posix;
#endif
    EXPECT_EQ(encoder.Encode(c.utf8).value(), expected) << c.utf8;
    const int64_t unmappable = expected.find('?') != std::string::npos;
    EXPECT_EQ(encoder.Counts().unmappable, unmappable) << c.utf8;
    EXPECT_EQ(encoder.Counts().equivalents + unmappable, 1) << c.utf8;
  }
}

TEST(Cp932EncoderTest, InvalidUtf8IsRefused) {
  const char* cases[] = {"\xff", "abc\xe8\xb5", "\xc0\xaf", "\xed\xa0\x80"};
  for (const char* bad : cases) {
    Cp932Encoder encoder;
    EXPECT_FALSE(encoder.Encode(bad)) << bad;
    EXPECT_FALSE(encoder.IsValidUtf8(bad)) << bad;
  }
  Cp932Encoder encoder;
  EXPECT_TRUE(encoder.IsValidUtf8("走る run"));
}

}  // namespace
}  // namespace import
