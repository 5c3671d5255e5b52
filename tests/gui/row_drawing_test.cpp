// The result lists draw their rows themselves and keep their text.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/write_translate_dialog.h"
#include "dictionary/dictionary_line.h"
#include "framework/code_page.h"
#include "tests/gui/gui_test_support.h"

namespace {

// The list's client area as the list draws it, in stripes of `rowHeight` lines of 0x00RRGGBB pixels.
std::vector<std::vector<DWORD>> RowsDrawn(HWND list, LONG rowHeight) {
  RECT client;
  ::GetClientRect(list, &client);
  BITMAPINFO info{{sizeof info.bmiHeader, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  ::SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  ::GdiFlush();
  std::vector<std::vector<DWORD>> rows;
  for (const DWORD* row = static_cast<const DWORD*>(bits);
       rows.size() < static_cast<size_t>(client.bottom / rowHeight); row += client.right * rowHeight)
    rows.emplace_back(row, row + client.right * rowHeight);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::DeleteObject(bitmap);
  return rows;
}

DWORD SystemPixel(int element) {
  const COLORREF c = ::GetSysColor(element);
  return static_cast<DWORD>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
}

// The system's colours of the states, set as a high-contrast theme sets them, and given back.
class HighContrast {
 public:
  HighContrast() {
    for (int element : kElements) m_saved.push_back(::GetSysColor(element));
    const COLORREF theme[] = {RGB(0, 0, 0), RGB(255, 255, 0), RGB(0, 255, 255), RGB(0, 0, 1), RGB(0, 255, 0)};
    ::SetSysColors(5, kElements, theme);
  }
  ~HighContrast() { ::SetSysColors(5, kElements, m_saved.data()); }

 private:
  static constexpr int kElements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT,
                                      COLOR_GRAYTEXT};
  std::vector<COLORREF> m_saved;
};

TEST(RowDrawing, ListsDrawTheirRowsAndKeepTheirText) {
  gui_test::ScratchDirectory scratch;
  // A TAB and a line end, double-byte text, the longest row, a lone lead byte at the end.
  const std::string longest = "ab\t" + std::string(10239 - 4, 'x');
  const std::string apple = "ab\t" + gui_test::Cp932("林檎 ①");
  scratch.Write("RAdoro.txt", "ab\tx\r\n" + apple + ";x\r\n" + longest + "\r\nabd\tx\x82");
  const std::vector<std::string> found = {"ab\tx\n", apple, longest + "\n", "abd\tx\x82"};
  CWriteTranslateDialog dialog;
  gui_test::RunModal(dialog, [&] {
    HWND window = gui_test::ResultWindowOf(dialog.m_hWnd);
    HWND list = ::GetDlgItem(window, IDC_LIST0);
    dialog.LookupAndShow("ab");
    for (WPARAM scroll : {SB_LEFT, SB_RIGHT}) {  // the long row's start and end in sight
      ::SendMessageW(list, WM_HSCROLL, scroll, 0);
      ::UpdateWindow(list);
    }
    ASSERT_EQ(static_cast<LRESULT>(found.size()), ::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < found.size(); ++i) {
      std::wstring text(static_cast<size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)), L'\0');
      ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));  // and the terminator
      EXPECT_EQ(fw::ToUnicode(found[i], dictionary::kDictionaryCodePage), text) << i;
    }

    list = ::GetDlgItem(window, IDC_LIST1);  // one the lookup left at the template's size
    for (const wchar_t* row : {L"go\tab\r\n", L"go\tab", L"apple\tab\x01", L"apple\tab", L""})
      ::SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(row));
    ::SendMessageW(list, LB_SETCURSEL, 3, 0);

    // Rows as high as a list the system draws makes them with that font.
    HWND plain =
        ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 0, 9, 9, window, nullptr, nullptr, nullptr);
    ::SendMessageW(plain, WM_SETFONT, ::SendMessageW(list, WM_GETFONT, 0, 0), FALSE);
    const LONG height = static_cast<LONG>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(::SendMessageW(plain, LB_GETITEMHEIGHT, 0, 0), height);
    ::DestroyWindow(plain);

    for (bool themed : {false, true}) {
      std::optional<HighContrast> theme;
      if (themed) theme.emplace();
      for (bool enabled : {true, false}) {
        SCOPED_TRACE(testing::Message() << "high contrast " << themed << ", enabled " << enabled);
        ::EnableWindow(list, enabled);
        const auto rows = RowsDrawn(list, height);
        ASSERT_LE(5u, rows.size());
        const auto has = [&](size_t row, int element) {
          return std::count(rows[row].begin(), rows[row].end(), SystemPixel(element)) > 0;
        };
        const auto meaningEnd = [&](size_t row) {
          size_t end = 0;
          for (size_t i = 0; i < rows[row].size(); ++i)
            if (rows[row][i] != rows[row].back()) end = std::max(end, i % (rows[row].size() / height));
          return end;
        };
        for (size_t row : {0, 1, 2, 4}) EXPECT_EQ(SystemPixel(COLOR_WINDOW), rows[row].back()) << row;
        EXPECT_EQ(SystemPixel(enabled ? COLOR_HIGHLIGHT : COLOR_WINDOW), rows[3].back());
        EXPECT_TRUE(has(1, enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        EXPECT_TRUE(has(3, enabled ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT));
        EXPECT_FALSE(has(4, enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        // The line end and the control character draw nothing; "ab" starts at one x after "go" and "apple".
        EXPECT_EQ(rows[0], rows[1]);
        EXPECT_EQ(meaningEnd(1), meaningEnd(2));
      }
    }
  });
}

}  // namespace
