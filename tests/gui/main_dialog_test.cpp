// The main dialog and the result window as the program starts them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/write_translate_dialog.h"
#include "res/resource.h"
#include "tests/gui/gui_test_support.h"

using gui_test::Children;
using gui_test::ClassName;
using gui_test::Cp932;
using gui_test::HeldKeys;
using gui_test::PostKey;
using gui_test::PumpFor;
using gui_test::PumpUntil;
using gui_test::RunModal;
using gui_test::WindowText;

namespace {

// Time for Wine to settle X focus after a window appears or goes; keys sent before are lost.
constexpr int kSettleMs = 400;

LONG Style(HWND hWnd) { return static_cast<LONG>(::GetWindowLongPtrA(hWnd, GWL_STYLE)); }
LONG ExStyle(HWND hWnd) { return static_cast<LONG>(::GetWindowLongPtrA(hWnd, GWL_EXSTYLE)); }

// The client rectangle a template of `width` x `height` dialog units gives `dialog`.
SIZE DialogUnits(HWND dialog, int width, int height) {
  RECT rect{0, 0, width, height};
  ::MapDialogRect(dialog, &rect);
  return SIZE{rect.right, rect.bottom};
}

SIZE ClientSize(HWND hWnd) {
  RECT rect;
  ::GetClientRect(hWnd, &rect);
  return SIZE{rect.right, rect.bottom};
}

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  HFONT handle = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
  if (handle) ::GetObjectW(handle, sizeof font, &font);
  return font;
}

int PointHeight(int tenths) {
  HDC screen = ::GetDC(nullptr);
  const int height = -::MulDiv(::GetDeviceCaps(screen, LOGPIXELSY), tenths, 720);
  ::ReleaseDC(nullptr, screen);
  return height;
}

TEST(MainDialog, HasTheTemplatesControlsInTabOrder) {
  CWriteTranslateDialog dialog;
  RunModal(dialog, [&] {
    HWND hWnd = dialog.m_hWnd;
    EXPECT_EQ("Dorev uze Zoredevud", WindowText(hWnd));
    const SIZE expected = DialogUnits(hWnd, 160, 51);
    const SIZE client = ClientSize(hWnd);
    EXPECT_EQ(expected.cx, client.cx);
    EXPECT_EQ(expected.cy, client.cy);
    EXPECT_EQ(0, ExStyle(hWnd) & WS_EX_APPWINDOW);  // no task-bar button
    EXPECT_EQ(WS_POPUP | WS_CAPTION | WS_SYSMENU,
              Style(hWnd) & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CHILD));

    struct Expected {
      int id;
      const char* className;
      std::string text;
    };
    const std::vector<Expected> controls = {
        {IDC_HIDE, "Button", "HIDE"},
        {IDC_WORD, "Edit", ""},
        {IDC_TRANSLATE, "Button", "TRANSLATE"},
        {IDC_RELATED, "Button", Cp932("関連する語句も検索する")},
    };
    const std::vector<HWND> children = Children(hWnd);
    ASSERT_EQ(controls.size(), children.size());
    for (size_t i = 0; i < controls.size(); ++i) {
      SCOPED_TRACE(controls[i].id);
      EXPECT_EQ(controls[i].id, ::GetDlgCtrlID(children[i]));
      EXPECT_STRCASEEQ(controls[i].className, ClassName(children[i]).c_str());
      EXPECT_EQ(controls[i].text, WindowText(children[i]));
      EXPECT_TRUE(Style(children[i]) & WS_TABSTOP);
      // Tab order is template order.
      EXPECT_EQ(children[(i + 1) % children.size()], ::GetNextDlgTabItem(hWnd, children[i], FALSE));
    }
    EXPECT_EQ(BS_AUTOCHECKBOX, Style(children[3]) & BS_TYPEMASK);
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(children[3], BM_GETCHECK, 0, 0));
    EXPECT_TRUE(Style(children[1]) & ES_AUTOHSCROLL);
    // The dialog manager may draw the border as a client edge.
    EXPECT_TRUE((Style(children[1]) & WS_BORDER) || (ExStyle(children[1]) & WS_EX_CLIENTEDGE));
    // The first control in tab order has the focus.
    EXPECT_EQ(children[0], ::GetFocus());
  });
}

TEST(MainDialog, SystemMenuEndsWithTheAboutItem) {
  CWriteTranslateDialog dialog;
  RunModal(dialog, [&] {
    HMENU menu = ::GetSystemMenu(dialog.m_hWnd, FALSE);
    ASSERT_NE(nullptr, menu);
    const int count = ::GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(IDM_ABOUTBOX, static_cast<int>(::GetMenuItemID(menu, count - 1)));
    wchar_t text[128] = {};
    ::GetMenuStringW(menu, count - 1, text, 128, MF_BYPOSITION);
    EXPECT_STREQ(L"バージョン情報 Lexmoor(&A)...", text);
    EXPECT_TRUE(::GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
  });
}

// Closes the first window titled `title` that appears, remembering that it did.
struct CloseWhenShown {
  static inline std::wstring title;
  static inline bool seen = false;
  static void CALLBACK Check(HWND, UINT, UINT_PTR id, DWORD) {
    HWND found = ::FindWindowW(nullptr, title.c_str());
    if (!found || !::IsWindowVisible(found)) return;
    ::KillTimer(nullptr, id);
    seen = true;
    ::PostMessageA(found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
};

TEST(MainDialog, AboutItemOpensTheAboutBox) {
  CWriteTranslateDialog dialog;
  RunModal(dialog, [&] {
    CloseWhenShown::title = L"バージョン情報 Lexmoor";  // shown right under any code page
    ::SetTimer(nullptr, 0, 20, &CloseWhenShown::Check);
    ::SendMessageA(dialog.m_hWnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
  });
  EXPECT_TRUE(CloseWhenShown::seen);
  EXPECT_EQ(nullptr, dialog.m_hWnd);
}

TEST(MainDialog, OtherSystemCommandsKeepTheirMeaning) {
  CWriteTranslateDialog dialog;
  const INT_PTR result = RunModal(dialog, [&] {
    // The close item of the system menu ends the program like Escape.
    ::PostMessageA(dialog.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !dialog.ContinueModal(); }));
  });
  EXPECT_EQ(IDCANCEL, result);
}

TEST(ResultWindow, IsCreatedHiddenWithFiveChoicableLists) {
  CWriteTranslateDialog dialog;
  RunModal(dialog, [&] {
    HWND hWnd = gui_test::ResultWindowOf(dialog.m_hWnd);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_FALSE(::IsWindowVisible(hWnd));
    EXPECT_EQ("Vocapop", WindowText(hWnd));
    EXPECT_EQ(dialog.m_hWnd, ::GetWindow(hWnd, GW_OWNER));
    EXPECT_TRUE(Style(hWnd) & WS_CAPTION);
    EXPECT_EQ(0, Style(hWnd) & WS_SYSMENU);  // no close box
    EXPECT_STREQ("CListupWindow", CWnd::FromHandlePermanent(hWnd)->GetRuntimeClass()->m_lpszClassName);
    const SIZE expected = DialogUnits(hWnd, 684, 121);
    EXPECT_EQ(expected.cx, ClientSize(hWnd).cx);

    const std::vector<HWND> children = Children(hWnd);
    ASSERT_EQ(7u, children.size());
    EXPECT_EQ(IDOK, ::GetDlgCtrlID(children[0]));
    EXPECT_EQ(BS_DEFPUSHBUTTON, Style(children[0]) & BS_TYPEMASK);
    EXPECT_EQ("OK", WindowText(children[0]));
    const LONG listStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY |
                           LBS_SORT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                           LBS_DISABLENOSCROLL;
    const LOGFONTW expectedFont = [] {
      LOGFONTW font{};
      font.lfHeight = PointHeight(100);
      lstrcpyW(font.lfFaceName, L"ＭＳ Ｐゴシック");
      return font;
    }();
    for (int i = 0; i < CWriteTranslateDialog::kListCount; ++i) {
      SCOPED_TRACE(i);
      HWND list = children[1 + i];
      EXPECT_EQ(IDC_LIST0 + i, ::GetDlgCtrlID(list));
      EXPECT_STRCASEEQ("ListBox", ClassName(list).c_str());
      EXPECT_EQ(listStyle, Style(list) & (listStyle | WS_BORDER));
      CWnd* object = CWnd::FromHandlePermanent(list);
      ASSERT_NE(nullptr, object);
      EXPECT_STREQ("CChoicableListBox", object->GetRuntimeClass()->m_lpszClassName);
      const LOGFONTW font = FontOf(list);
      EXPECT_STREQ(expectedFont.lfFaceName, font.lfFaceName);
      EXPECT_EQ(expectedFont.lfHeight, font.lfHeight);
    }
    EXPECT_EQ(0xFFFF, ::GetDlgCtrlID(children[6]) & 0xFFFF);  // IDC_STATIC
    EXPECT_EQ(Cp932("関連"), WindowText(children[6]));
    EXPECT_EQ(SS_LEFT | SS_CENTERIMAGE, Style(children[6]) & (SS_TYPEMASK | SS_CENTERIMAGE));
  });
}

TEST(MainDialog, EditBoxHasTheWordFont) {
  CWriteTranslateDialog dialog;
  RunModal(dialog, [&] {
    const LOGFONTW font = FontOf(dialog.GetDlgItem(IDC_WORD));
    EXPECT_STREQ(L"ＭＳ ゴシック", font.lfFaceName);
    EXPECT_EQ(PointHeight(120), font.lfHeight);
  });
}

TEST(ResultWindow, OkEnterAndEscapeHideIt) {
  CWriteTranslateDialog dialog;
  RunModal(dialog, [&] {
    CWnd* window = CWnd::FromHandlePermanent(gui_test::ResultWindowOf(dialog.m_hWnd));
    ASSERT_NE(nullptr, window);
    HWND list = window->GetDlgItem(IDC_LIST0);
    auto hidden = [&] { return !::IsWindowVisible(window->m_hWnd); };

    window->ShowWindow(SW_SHOW);
    ::SendMessageA(window->GetDlgItem(IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil(hidden)) << "OK";

    window->ShowWindow(SW_SHOW);
    PostKey(list, VK_RETURN);
    EXPECT_TRUE(PumpUntil(hidden)) << "Enter";

    window->ShowWindow(SW_SHOW);
    PostKey(list, VK_ESCAPE);
    EXPECT_TRUE(PumpUntil(hidden)) << "Escape";

    EXPECT_TRUE(::IsWindow(window->m_hWnd));
    EXPECT_TRUE(dialog.m_hWnd != nullptr);  // the main dialog goes on
  });
}

// Asks the shell about the tray icon as the dialog's window goes, after its
// own handlers ran and before the shell could notice that the window is gone.
struct IconAtLastMessage {
  static inline NOTIFYICONDATAW record{};
  static inline BOOL stillThere = TRUE;
  static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_NCDESTROY) {
      stillThere = ::Shell_NotifyIconW(NIM_MODIFY, &record);
      ::RemoveWindowSubclass(hWnd, &Proc, 1);
    }
    return ::DefSubclassProc(hWnd, message, wParam, lParam);
  }
};

TEST(MainDialog, EscapeEndsTheRunAndRemovesTheTrayIcon) {
  gui_test::TestDesktop desktop;
  CWriteTranslateDialog dialog(nullptr, desktop);
  BOOL iconWhileRunning = FALSE;
  HWND resultWindow = nullptr;
  const INT_PTR result = RunModal(dialog, [&] {
    IconAtLastMessage::record = desktop.record;
    iconWhileRunning = ::Shell_NotifyIconW(NIM_MODIFY, &IconAtLastMessage::record);
    ::SetWindowSubclass(dialog.m_hWnd, &IconAtLastMessage::Proc, 1, 0);
    resultWindow = gui_test::ResultWindowOf(dialog.m_hWnd);
    PostKey(dialog.GetDlgItem(IDC_WORD), VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !dialog.ContinueModal(); }));
  });
  EXPECT_EQ(IDCANCEL, result);
  const NOTIFYICONDATAW& record = IconAtLastMessage::record;
  EXPECT_TRUE(iconWhileRunning);
  EXPECT_STREQ(L"Vocapop", record.szTip);
  EXPECT_EQ(static_cast<UINT>(WM_USER + 100), record.uCallbackMessage);
  EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), record.uFlags);
  EXPECT_FALSE(IconAtLastMessage::stillThere);
  EXPECT_NE(nullptr, resultWindow);
  EXPECT_FALSE(::IsWindow(resultWindow));
}

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return SIZE{};
  BITMAP bitmap{};
  ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  return SIZE{bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

TEST(MainDialog, ATrayIconRefusedAtLogonIsAddedAtALaterTickAtTheSmallIconSize) {
  gui_test::TestDesktop desktop;
  desktop.iconCallsToRefuse = 6;  // NIM_ADD and NIM_MODIFY at start and at two ticks
  CWriteTranslateDialog dialog(nullptr, desktop);
  RunModal(dialog, [&] {
    EXPECT_TRUE(PumpUntil([&] { return desktop.iconCallsToRefuse == 0 && desktop.iconAdds >= 4; }, 2000));
    PumpFor(300);  // several more ticks: once added, the icon is not added again
    EXPECT_EQ(4, desktop.iconAdds);
    NOTIFYICONDATAW record = desktop.record;
    EXPECT_TRUE(::Shell_NotifyIconW(NIM_MODIFY, &record));  // the shell has it
    const SIZE size = IconSize(record.hIcon);
    EXPECT_EQ(::GetSystemMetrics(SM_CXSMICON), size.cx);
    EXPECT_EQ(::GetSystemMetrics(SM_CYSMICON), size.cy);
  });
}

TEST(ResultWindow, EscapeHidesItWithoutActivatingTheHiddenMainDialog) {
  CWriteTranslateDialog dialog;
  RunModal(dialog, [&] {
    HWND edit = dialog.GetDlgItem(IDC_WORD);
    HWND window = gui_test::ResultWindowOf(dialog.m_hWnd);
    // The user typed into the edit box before; the dialog then hid itself.
    ::SetFocus(edit);
    ::SetWindowTextA(edit, "typed");
    PumpUntil([&] { return !::IsWindowVisible(dialog.m_hWnd); });

    dialog.LookupAndShow("word");
    // On a busy machine Wine may hand the activation back to X's idea of the
    // focus late; the window must be active before Escape is pressed in it.
    ASSERT_TRUE(PumpUntil([&] {
      if (::GetActiveWindow() != window) ::SetForegroundWindow(window);
      return ::GetActiveWindow() == window;
    }));
    PumpFor(kSettleMs);
    ASSERT_EQ(window, ::GetActiveWindow());
    PostKey(::GetDlgItem(window, IDC_LIST0), VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(window); }));
    PumpFor(kSettleMs);
    EXPECT_NE(dialog.m_hWnd, ::GetActiveWindow());

    // Keys typed now do not reach the hidden edit box (nor start a lookup with Enter).
    HeldKeys({'X'}).Release();
    HeldKeys({VK_RETURN}).Release();
    PumpFor(200);
    EXPECT_EQ("typed", WindowText(edit));
    EXPECT_FALSE(::IsWindowVisible(window));
  });
}

// Wine reports every program DPI-aware, so the manifest itself is checked:
// every size of the windows is in pixels, and on a scaled display Windows
// 10/11 scales the text sharp itself.
TEST(Program, ItsManifestKeepsItDpiUnawareWithGdiScaling) {
  HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
  ASSERT_NE(nullptr, found);
  const char* bytes = static_cast<const char*>(::LockResource(::LoadResource(nullptr, found)));
  const std::string manifest(bytes, ::SizeofResource(nullptr, found));
  EXPECT_NE(std::string::npos,
            manifest.find("<gdiScaling xmlns=\"http://schemas.microsoft.com/SMI/2017/WindowsSettings\">true"
                          "</gdiScaling>"));
  EXPECT_EQ(std::string::npos, manifest.find("<dpiAwareness"));
  const size_t dpiAware = manifest.find("<dpiAware ");
  if (dpiAware != std::string::npos) {
    EXPECT_EQ(manifest.find(">false</dpiAware>", dpiAware), manifest.find('>', dpiAware));
  }
}

}  // namespace
