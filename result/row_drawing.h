// The result lists' rows as the program draws them (the lists are owner-drawn
// and keep their text): a TAB is a gap that lines a row's meaning up with
// those of the other rows in sight, line ends and other control characters are
// not drawn, and every state has the system's colours.
#pragma once

#include <string>
#include <vector>

#include "framework/win32.h"

class RowDrawing {
 public:
  // What WM_DRAWITEM asks of a list: a row, or the focus of an empty list.
  void DrawItem(const DRAWITEMSTRUCT& item);

 private:
  // Where the meanings of one list's rows in sight begin, and what that was worked out for.
  struct Page {
    HWND list = nullptr;
    int top = -1;
    int rows = 0;
    int textWidth = 0;
    int column = 0;
    int gap = 0;
  };

  void DrawRowText(const DRAWITEMSTRUCT& item);
  const Page& PageOf(HWND list, HDC dc, const RECT& client, int rowHeight);
  int HeadwordWidth(HWND list, int index, HDC dc);
  // Row `index` as drawn; valid until the next call.
  const std::wstring& Text(HWND list, int index);

  std::vector<Page> m_pages;
  std::wstring m_text;
};

// Gives `list` the row height its font gives a list the system draws: an
// owner-drawn list keeps the height it measured when it was made.
void FitRowHeightToFont(HWND list);
