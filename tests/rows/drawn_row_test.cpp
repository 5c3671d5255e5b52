#include "rows/drawn_row.h"

#include <gtest/gtest.h>

#include <string>

namespace rows {
namespace {

TEST(DropUndrawnTest, Table) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"apple\tn. \x6797\x6A8E\r\n", L"apple\tn. \x6797\x6A8E"},  // a line end goes, a TAB stays
      {L"ab\x01\x1F\x7F\x80\x9F\x0B\x0C", L"ab"},                  // C0, DEL and C1 controls
      {L"\t\t\x00A0 \x30FB", L"\t\t\x00A0 \x30FB"},                // the first characters drawn
      {L"\r\n", L""},
      {L"", L""},
  };
  for (auto [text, drawn] : cases) {
    const std::wstring row = text;
    DropUndrawn(text);
    EXPECT_EQ(drawn, text) << testing::PrintToString(row);
  }
}

TEST(MeaningColumnTest, Table) {
  struct Case {
    int widestHeadword, textWidth, gap, column;
  };
  const Case cases[] = {
      {30, 176, 6, 36},   // after the widest headword
      {88, 176, 6, 94},   // up to half the width
      {140, 176, 6, 94},  // a longer headword doesn't push the column further
      {0, 176, 6, 6},     // no headword
      {30, 0, 6, 6},      // a list with no room for text
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.column, MeaningColumn(c.widestHeadword, c.textWidth, c.gap))
        << c.widestHeadword << " " << c.textWidth;
  // A headword past the column pushes its own meaning only.
  EXPECT_EQ(94, MeaningStart(20, 94, 6));
  EXPECT_EQ(146, MeaningStart(140, 94, 6));
}

}  // namespace
}  // namespace rows
