// The text conversions, built on each system's own (iconv natively, the
// code pages under Wine): the same answers, failures at the same offset.
#include "tools/text/conversion.h"

#include <gtest/gtest.h>

namespace text {
namespace {

std::string Bytes(const char* s, size_t n) { return std::string(s, n); }

TEST(ConversionTest, ConvertsAndFailsAtTheSameOffset) {
  struct Case {
    const char *to, *from;
    std::string in, out;  // `out`: what is converted, up to the failure if any
    bool ok;
    size_t failedAt;
  } cases[] = {
      {kUtf8, kCp932,
       "\x82\xa0"
       "a\xb1",
       "あaｱ", true, 0},
      {kUtf8, kCp932, "a\n\x82", "a\n", false, 2},    // a lone lead byte at the end
      {kUtf8, kCp932, "ab\x82\x20", "ab", false, 2},  // no trail byte
      {kUtf8, kCp932, "\x81\x60\x87\x40\xfa\x40", "～①ⅰ", true, 0},
      {kCp932, kUtf8, "走る～①ⅰ", "\x91\x96\x82\xe9\x81\x60\x87\x40\xfa\x40", true, 0},
      {kCp932, kUtf8, "a鱝b", "a", false, 1},            // no such character in code page 932
      {kCp932, kUtf8, "a\xe8\xb5", "a", false, 1},       // cut inside a character
      {kUtf8, kUtf8, "a\xc0\xaf", "a", false, 1},        // an overlong form
      {kUtf8, kUtf8, "ab\xed\xa0\x80", "ab", false, 2},  // a surrogate
      {kUtf8, kUtf16Le, Bytes("a\0B\x30", 4), "aあ", true, 0},
      {kUtf8, kUtf16Be, Bytes("\0a\xd8\x34\xdd\x1e", 6), "a𝄞", true, 0},
      {kUtf8, kUtf16Le, Bytes("a\0b", 3), "a", false, 2},         // an odd byte at the end
      {kUtf8, kUtf16Le, Bytes("a\0\x00\xdc", 4), "a", false, 2},  // a lone low surrogate
      {kUcs4Le, kUtf8, "a𝄞", Bytes("a\0\0\0\x1e\xd1\x01\0", 8), true, 0},
      {kUtf8, kUcs4Le, Bytes("a\0\0\0b\0", 6), "a", false, 4},  // cut inside a character
      {kUtf8, kEucJp, "\xa4\xa2\xb2\xf3", "あ回", true, 0},
      {kUtf8, kEucJp, "a\xa4", "a", false, 1},
      {kUtf16Le, kUtf8, "", "", true, 0},
  };
  for (const Case& c : cases) {
    Conversion conversion(c.to, c.from);
    std::string out = "<";
    size_t failedAt = 0;
    EXPECT_EQ(conversion.Convert(c.in, out, failedAt), c.ok) << c.from << " " << c.in;
    EXPECT_EQ(out, "<" + c.out) << c.from << " " << c.in;
    if (!c.ok) {
      EXPECT_EQ(failedAt, c.failedAt) << c.from << " " << c.in;
    }
  }
}

TEST(ConversionTest, UnknownEncodingsAreRefused) {
  EXPECT_THROW(Conversion(kUtf8, "no-such-encoding"), ConversionUnavailable);
  EXPECT_THROW(Conversion("no-such-encoding", kUtf8, Unmappable::kSubstitute), ConversionUnavailable);
}

}  // namespace
}  // namespace text
