#include "rows/drawn_row.h"

#include <algorithm>

namespace rows {
namespace {

constexpr int kHeadwordShareDivisor = 2;  // headwords align within the first half of a row

bool IsDrawn(wchar_t c) {
  const auto code = static_cast<unsigned long>(c);
  if (code == L'\t') return true;
  return code >= 0x20 && !(code >= 0x7F && code < 0xA0);
}

}  // namespace

void DropUndrawn(std::wstring& text) {
  text.erase(std::remove_if(text.begin(), text.end(), [](wchar_t c) { return !IsDrawn(c); }), text.end());
}

int MeaningColumn(int widestHeadword, int textWidth, int gap) {
  return std::clamp(widestHeadword, 0, std::max(textWidth / kHeadwordShareDivisor, 0)) + gap;
}

int MeaningStart(int headwordEnd, int column, int gap) { return std::max(column, headwordEnd + gap); }

}  // namespace rows
