#include "rows/drawn_row.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace rows {
namespace {

TEST(DrawnRowTest, DropUndrawnTable) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"apple\tn. \x6797\x6A8E\r\n", L"apple\tn. \x6797\x6A8E"},  // a line end goes, a TAB stays
      {L"ab\x01\x1F\x7F\x80\x9F\x0B\x0C", L"ab"},                  // C0, DEL and C1 controls
      {L"\t\t\x00A0 \x30FB", L"\t\t\x00A0 \x30FB"},                // the first characters drawn
      {L"\r\n", L""},
  };
  for (auto [text, drawn] : cases) {
    DropUndrawn(text);
    EXPECT_EQ(drawn, text);
  }
}

TEST(DrawnRowTest, MeaningsStartAfterTheWidestHeadwordAtMostHalfwayAlong) {
  // Widest headword, text width, gap: the column.
  const int cases[][4] = {
      {30, 176, 6, 36}, {88, 176, 6, 94}, {140, 176, 6, 94}, {0, 176, 6, 6}, {30, 0, 6, 6}};
  for (const auto& c : cases) EXPECT_EQ(c[3], MeaningColumn(c[0], c[1], c[2])) << c[0] << " " << c[1];
  // A headword past the column pushes its own meaning only.
  EXPECT_EQ(94, MeaningStart(20, 94, 6));
  EXPECT_EQ(146, MeaningStart(140, 94, 6));
}

}  // namespace
}  // namespace rows
