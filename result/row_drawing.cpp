#include "result/row_drawing.h"

#include <algorithm>
#include <string_view>

#include "framework/device_context.h"
#include "rows/drawn_row.h"

namespace {

constexpr int kTextIndent = 2;  // from the row's left edge, as the system's lists draw
constexpr UINT kNoItem = static_cast<UINT>(-1);

LRESULT Send(HWND list, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return ::SendMessageW(list, message, wParam, lParam);
}

int Width(HDC dc, std::wstring_view text) {
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

}  // namespace

void RowDrawing::DrawItem(const DRAWITEMSTRUCT& item) {
  // A disabled list shows no selection, only its greyed rows.
  const bool disabled = item.itemState & ODS_DISABLED;
  const bool selected = (item.itemState & ODS_SELECTED) && !disabled;
  ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID != kNoItem) {
    const fw::TransparentText colour(item.hDC, ::GetSysColor(disabled   ? COLOR_GRAYTEXT
                                                             : selected ? COLOR_HIGHLIGHTTEXT
                                                                        : COLOR_WINDOWTEXT));
    DrawRowText(item);
  }
  // Drawn whole at every action, the focus never depends on what the rectangle showed before.
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT))
    ::DrawFocusRect(item.hDC, &item.rcItem);
}

void RowDrawing::DrawRowText(const DRAWITEMSTRUCT& item) {
  HWND list = item.hwndItem;
  const int index = static_cast<int>(item.itemID);
  RECT client{};
  ::GetClientRect(list, &client);
  const Page& page = PageOf(list, item.hDC, client, item.rcItem.bottom - item.rcItem.top);
  const int headword = HeadwordWidth(list, index, item.hDC);  // before Text(), which it may reuse
  const std::wstring_view text = Text(list, index);

  // Scrolled sideways, the list moves rcItem (Windows) or the DC's origin (Wine):
  // positions taken from rcItem and the clip box hold for both.
  RECT inSight{};
  ::GetClipBox(item.hDC, &inSight);
  const int left = item.rcItem.left + kTextIndent;
  int x = left;
  for (size_t start = 0;;) {
    const size_t tab = text.find(L'\t', start);
    const std::wstring_view piece = text.substr(start, tab == std::wstring_view::npos ? tab : tab - start);
    if (x >= inSight.right) return;
    ::ExtTextOutW(item.hDC, x, item.rcItem.top, ETO_CLIPPED, &item.rcItem, piece.data(),
                  static_cast<UINT>(piece.size()), nullptr);
    if (tab == std::wstring_view::npos) return;
    x = start == 0 ? left + rows::MeaningStart(headword, page.column, page.gap)
                   : x + Width(item.hDC, piece) + page.gap;
    start = tab + 1;
  }
}

const RowDrawing::Page& RowDrawing::PageOf(HWND list, HDC dc, const RECT& client, int rowHeight) {
  auto page = std::find_if(m_pages.begin(), m_pages.end(), [&](const Page& p) { return p.list == list; });
  if (page == m_pages.end()) page = m_pages.insert(m_pages.end(), Page{list});
  const int top = static_cast<int>(Send(list, LB_GETTOPINDEX));
  const int count = static_cast<int>(Send(list, LB_GETCOUNT));
  const int rowsInClient = static_cast<int>(client.bottom + rowHeight - 1) / std::max(rowHeight, 1);
  const int inSight = std::max(0, std::min(rowsInClient, count - top));
  const int textWidth = static_cast<int>(client.right) - kTextIndent;
  // A measured row keeps its headword's width as item data, and a refilled
  // list has none: a page whose first row has none is measured anew.
  if (page->top == top && page->rows == inSight && page->textWidth == textWidth &&
      (inSight == 0 || Send(list, LB_GETITEMDATA, static_cast<WPARAM>(top)) > 0))
    return *page;

  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  int widest = 0;
  for (int i = top; i < top + inSight; ++i) widest = std::max(widest, HeadwordWidth(list, i, dc));
  const int gap = metrics.tmAveCharWidth;
  *page = Page{list, top, inSight, textWidth, rows::MeaningColumn(widest, textWidth, gap), gap};
  return *page;
}

int RowDrawing::HeadwordWidth(HWND list, int index, HDC dc) {
  // The width plus one, so that 0 (a row not measured yet) stands apart.
  const LRESULT known = Send(list, LB_GETITEMDATA, static_cast<WPARAM>(index));
  if (known == LB_ERR) return 0;
  if (known > 0) return static_cast<int>(known - 1);
  const std::wstring_view text = Text(list, index);
  const size_t tab = text.find(L'\t');
  const int width = tab == std::wstring_view::npos ? 0 : Width(dc, text.substr(0, tab));
  Send(list, LB_SETITEMDATA, static_cast<WPARAM>(index), width + 1);
  return width;
}

const std::wstring& RowDrawing::Text(HWND list, int index) {
  const LRESULT length = Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(index));
  m_text.resize(length > 0 ? static_cast<size_t>(length) + 1 : 0);
  if (length > 0) {
    const LRESULT got =
        Send(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(m_text.data()));
    m_text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  }
  rows::DropUndrawn(m_text);
  return m_text;
}

void FitRowHeightToFont(HWND list) {
  const fw::WindowDc dc(list);
  if (!dc.Get()) return;
  TEXTMETRICW metrics{};
  {
    const fw::SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(Send(list, WM_GETFONT)));
    if (!::GetTextMetricsW(dc.Get(), &metrics)) return;
  }
  Send(list, LB_SETITEMHEIGHT, 0, MAKELPARAM(metrics.tmHeight, 0));
}
