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

std::wstring TextOf(HWND list, int index) {
  std::wstring text(static_cast<size_t>(::SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(::SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

// The list's client area as the list draws it.
struct Picture {
  LONG width = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(LONG x, LONG y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};
Picture Print(HWND list) {
  RECT client;
  ::GetClientRect(list, &client);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, bitmap);
  ::SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  ::GdiFlush();
  Picture picture{client.right, {}};
  for (LONG i = 0; i < client.right * client.bottom; ++i) {
    const DWORD bgr = static_cast<const DWORD*>(bits)[i];
    picture.pixels.push_back(RGB(GetBValue(bgr), GetGValue(bgr), GetRValue(bgr)));
  }
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::DeleteObject(bitmap);
  return picture;
}

constexpr int kStateColours[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT,
                                 COLOR_GRAYTEXT};

// The system's colours for the states, set for a test as a high-contrast theme sets them, and given back.
class SystemColours {
 public:
  explicit SystemColours(const std::vector<COLORREF>& colours) {
    for (int element : kStateColours) m_saved.push_back(::GetSysColor(element));
    ::SetSysColors(5, kStateColours, colours.data());
  }
  ~SystemColours() { ::SetSysColors(5, kStateColours, m_saved.data()); }

 private:
  std::vector<COLORREF> m_saved;
};

TEST(RowDrawing, RowsReadBackAsAddedAfterTheyAreDrawn) {
  gui_test::ScratchDirectory scratch;
  // A TAB and a line end, double-byte text, the longest row, a lone lead byte at the end.
  const std::string longest = "ab\t" + std::string(10239 - 4, 'x');
  const std::string apple = "ab\t" + gui_test::Cp932("林檎 ①");
  scratch.Write("RAdoro.txt", "ab\tx\r\n" + apple + ";x\r\n" + longest + "\r\nabd\tx\x82");
  const std::vector<std::string> rows = {"ab\tx\n", apple, longest + "\n", "abd\tx\x82"};
  CWriteTranslateDialog dialog;
  gui_test::RunModal(dialog, [&] {
    HWND list = ::GetDlgItem(gui_test::ResultWindowOf(dialog.m_hWnd), IDC_LIST0);
    dialog.LookupAndShow("ab");
    for (WPARAM scroll : {SB_LEFT, SB_RIGHT}) {  // the long row's start and end in sight
      ::SendMessageW(list, WM_HSCROLL, scroll, 0);
      ::UpdateWindow(list);
    }
    ASSERT_EQ(static_cast<LRESULT>(rows.size()), ::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < rows.size(); ++i)
      EXPECT_EQ(fw::ToUnicode(rows[i], dictionary::kDictionaryCodePage), TextOf(list, static_cast<int>(i)))
          << i;
  });
}

TEST(RowDrawing, TabsAlignMeaningsLineEndsDontShowAndStatesHaveTheSystemsColours) {
  CWriteTranslateDialog dialog;
  gui_test::RunModal(dialog, [&] {
    HWND window = gui_test::ResultWindowOf(dialog.m_hWnd);
    HWND list = ::GetDlgItem(window, IDC_LIST0);
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

    const std::vector<COLORREF> highContrast = {RGB(0, 0, 0), RGB(255, 255, 0), RGB(0, 255, 255),
                                                RGB(0, 0, 1), RGB(0, 255, 0)};
    for (bool themed : {false, true}) {
      std::optional<SystemColours> colours;
      if (themed) colours.emplace(highContrast);
      for (bool enabled : {true, false}) {
        SCOPED_TRACE(testing::Message() << "themed " << themed << " enabled " << enabled);
        ::EnableWindow(list, enabled);
        const Picture picture = Print(list);
        const LONG right = picture.width - 1;
        const auto background = [&](LONG row) { return picture.At(right, row * height + height / 2); };
        const auto has = [&](LONG row, COLORREF colour) {
          for (LONG y = row * height; y < (row + 1) * height; ++y)
            for (LONG x = 0; x < right; ++x)
              if (picture.At(x, y) == colour) return true;
          return false;
        };
        const auto meaningEnd = [&](LONG row) {
          LONG end = 0;
          for (LONG y = row * height; y < (row + 1) * height; ++y)
            for (LONG x = 0; x < right; ++x)
              if (picture.At(x, y) != background(row)) end = std::max(end, x);
          return end;
        };
        const auto color = [](int element) { return ::GetSysColor(element); };
        for (LONG row : {0, 1, 2, 4}) EXPECT_EQ(color(COLOR_WINDOW), background(row)) << row;
        EXPECT_EQ(color(enabled ? COLOR_HIGHLIGHT : COLOR_WINDOW), background(3));
        EXPECT_TRUE(has(1, color(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT)));
        EXPECT_TRUE(has(3, color(enabled ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT)));
        EXPECT_FALSE(has(4, color(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT)));
        // The line end and the control character draw nothing; "ab" starts at one x after "go" and "apple".
        const auto rowOne = picture.pixels.begin() + picture.width * height;
        EXPECT_TRUE(std::equal(picture.pixels.begin(), rowOne, rowOne));
        EXPECT_EQ(meaningEnd(1), meaningEnd(2));
      }
    }
  });
}

}  // namespace
