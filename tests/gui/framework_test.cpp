// The framework mechanics that would break behaviour silently: handler tables,
// subclassing, Default(), and the modal loop's routing and timers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/about_dialog.h"
#include "framework/list_box.h"
#include "res/resource.h"
#include "result/listup_window.h"
#include "tests/gui/gui_test_support.h"

using gui_test::PostKey;
using gui_test::PumpFor;
using gui_test::PumpUntil;
using gui_test::RunModal;

namespace {

constexpr UINT kCustomMessage = WM_USER + 5;

class Recorder : public CWnd {
 public:
  std::vector<std::string> calls;
  static UINT s_registeredMessage;

 protected:
  void OnFirst() { calls.push_back("first"); }
  void OnSecond() { calls.push_back("second"); }
  LRESULT OnCustom(WPARAM wParam, LPARAM lParam) {
    calls.push_back("custom " + std::to_string(wParam) + " " + std::to_string(lParam));
    return 42;
  }
  LRESULT OnRegistered(WPARAM, LPARAM) {
    calls.push_back("registered");
    return 7;
  }
  DECLARE_MESSAGE_MAP()
};
UINT Recorder::s_registeredMessage = ::RegisterWindowMessageA("Lexmoor.FrameworkTest");

BEGIN_MESSAGE_MAP(Recorder, CWnd)
ON_COMMAND(1, OnFirst)
ON_COMMAND(2, OnSecond)
ON_MESSAGE(kCustomMessage, OnCustom)
ON_REGISTERED_MESSAGE(s_registeredMessage, OnRegistered)
END_MESSAGE_MAP()

class DerivedRecorder : public Recorder {
 protected:
  void OnFirstInstead() { calls.push_back("derived first"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedRecorder, Recorder)
ON_COMMAND(1, OnFirstInstead)
END_MESSAGE_MAP()

TEST(MessageMap, CommandsDispatchByIdFromButtonsAndAcceleratorsOnly) {
  Recorder recorder;
  LRESULT result = -1;
  EXPECT_TRUE(recorder.OnWndMsg(WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), 0, &result));
  EXPECT_TRUE(recorder.OnWndMsg(WM_COMMAND, MAKEWPARAM(2, 1), 0, &result));
  EXPECT_FALSE(recorder.OnWndMsg(WM_COMMAND, MAKEWPARAM(1, EN_CHANGE), 0, &result));
  EXPECT_FALSE(recorder.OnWndMsg(WM_COMMAND, MAKEWPARAM(3, BN_CLICKED), 0, &result));
  EXPECT_EQ((std::vector<std::string>{"first", "second"}), recorder.calls);
}

TEST(MessageMap, MessageHandlersGetParametersAndGiveTheirResult) {
  Recorder recorder;
  LRESULT result = 0;
  ASSERT_TRUE(recorder.OnWndMsg(kCustomMessage, 3, 4, &result));
  EXPECT_EQ(42, result);
  ASSERT_TRUE(recorder.OnWndMsg(Recorder::s_registeredMessage, 0, 0, &result));
  EXPECT_EQ(7, result);
  EXPECT_FALSE(recorder.OnWndMsg(kCustomMessage + 1, 0, 0, &result));
  EXPECT_EQ((std::vector<std::string>{"custom 3 4", "registered"}), recorder.calls);
}

TEST(MessageMap, DerivedEntriesComeFirstAndBaseEntriesStillApply) {
  DerivedRecorder recorder;
  LRESULT result = 0;
  recorder.OnWndMsg(WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), 0, &result);
  recorder.OnWndMsg(WM_COMMAND, MAKEWPARAM(2, BN_CLICKED), 0, &result);
  EXPECT_EQ((std::vector<std::string>{"derived first", "second"}), recorder.calls);
}

class CountingListBox : public CListBox {
 public:
  int doubleClicks = 0;

 protected:
  void OnDoubleClick(UINT, POINT) { ++doubleClicks; }
  // The list's own count, raised by 100, so a test sees Default() reach the list.
  LRESULT OnGetCount(WPARAM, LPARAM) { return Default() + 100; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingListBox, CListBox)
ON_WM_LBUTTONDBLCLK(OnDoubleClick)
ON_MESSAGE(LB_GETCOUNT, OnGetCount)
END_MESSAGE_MAP()

TEST(Subclass, RoutesMessagesToTheObjectAndDefaultToTheList) {
  CListupWindow window;
  ASSERT_TRUE(window.Create(IDD_LISTUP));
  CountingListBox list;
  ASSERT_TRUE(list.SubclassDlgItem(IDC_LIST0, &window));
  EXPECT_EQ(&list, CWnd::FromHandlePermanent(window.GetDlgItem(IDC_LIST0)));

  for (const char* row : {"a", "b"}) {
    ::SendMessageA(list.m_hWnd, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(row));
  }
  EXPECT_EQ(102, ::SendMessageA(list.m_hWnd, LB_GETCOUNT, 0, 0));
  ::SendMessageA(list.m_hWnd, WM_LBUTTONDBLCLK, 0, 0);
  EXPECT_EQ(1, list.doubleClicks);

  // A list not taken over answers for itself.
  HWND other = window.GetDlgItem(IDC_LIST1);
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(other));
  EXPECT_EQ(0, ::SendMessageA(other, LB_GETCOUNT, 0, 0));
}

TEST(Subclass, EndsWithTheWindow) {
  CountingListBox list;
  {
    CListupWindow window;
    ASSERT_TRUE(window.Create(IDD_LISTUP));
    ASSERT_TRUE(list.SubclassDlgItem(IDC_LIST2, &window));
  }
  EXPECT_EQ(nullptr, list.m_hWnd);
}

TEST(Subclass, GivesTheWindowBackWhenTheObjectGoesFirst) {
  HWND hWnd = ::CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_HASSTRINGS, 0, 0, 50, 50, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, hWnd);
  const LONG_PTR original = ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
  {
    CountingListBox list;
    ASSERT_TRUE(list.SubclassWindow(hWnd));
    EXPECT_NE(original, ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
  }
  EXPECT_EQ(original, ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
  ::SendMessageA(hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("x"));
  EXPECT_EQ(1, ::SendMessageA(hWnd, LB_GETCOUNT, 0, 0));
  ::DestroyWindow(hWnd);
}

// A dialog whose WM_GETTEXT handler either hands the message on or swallows it.
class TextDialog : public CDialog {
 public:
  bool passOn = true;
  TextDialog() : CDialog(IDD_LISTUP) {}

 protected:
  LRESULT OnGetText(WPARAM, LPARAM) { return passOn ? Default() : 0; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TextDialog, CDialog)
ON_MESSAGE(WM_GETTEXT, OnGetText)
END_MESSAGE_MAP()

TEST(DialogDefault, HandsTheMessageToTheDialogManager) {
  TextDialog dialog;
  ASSERT_TRUE(dialog.Create(IDD_LISTUP));
  char text[32] = {};
  ::SendMessageA(dialog.m_hWnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ("Vocapop", text);

  dialog.passOn = false;
  char swallowed[32] = {};
  EXPECT_EQ(0,
            ::SendMessageA(dialog.m_hWnd, WM_GETTEXT, sizeof swallowed, reinterpret_cast<LPARAM>(swallowed)));
  EXPECT_STREQ("", swallowed);
}

TEST(Dialog, ObjectDestroysItsWindow) {
  HWND hWnd;
  {
    CListupWindow window;
    ASSERT_TRUE(window.Create(IDD_LISTUP));
    hWnd = window.m_hWnd;
    EXPECT_EQ(&window, CWnd::FromHandlePermanent(hWnd));
  }
  EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(Dialog, DoModalWithoutTemplateFails) {
  CDialog missing(4242);
  EXPECT_EQ(-1, missing.DoModal());
}

TEST(ModalLoop, RoutesEnterAndEscapeToAModelessDialog) {
  CListupWindow window;
  ASSERT_TRUE(window.Create(IDD_LISTUP));
  HWND list = window.GetDlgItem(IDC_LIST0);
  CAboutDialog about;
  bool hiddenByEscape = false;
  bool hiddenByEnter = false;
  RunModal(about, [&] {
    window.ShowWindow(SW_SHOW);
    PostKey(list, VK_ESCAPE);
    hiddenByEscape = PumpUntil([&] { return !::IsWindowVisible(window.m_hWnd); });
    window.ShowWindow(SW_SHOW);
    PostKey(list, VK_RETURN);
    hiddenByEnter = PumpUntil([&] { return !::IsWindowVisible(window.m_hWnd); });
  });
  EXPECT_TRUE(hiddenByEscape);
  EXPECT_TRUE(hiddenByEnter);
  EXPECT_TRUE(::IsWindow(window.m_hWnd));
}

class TickingDialog : public CDialog {
 public:
  int ticks = 0;
  TickingDialog() : CDialog(IDD_LISTUP) {}

 protected:
  void OnTimer(UINT_PTR) { ++ticks; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TickingDialog, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(ModalLoop, NestedModalDialogsKeepOtherTimersTicking) {
  TickingDialog outer;
  ASSERT_TRUE(outer.Create(IDD_LISTUP));
  outer.SetTimer(10, 20);
  CAboutDialog about;
  RunModal(about, [&] {
    CAboutDialog nested;
    RunModal(nested, [&] { PumpUntil([&] { return outer.ticks >= 3; }, 3000); });
  });
  EXPECT_GE(outer.ticks, 3);
}

TEST(ModalLoop, EndDialogGivesItsResult) {
  CAboutDialog about;
  EXPECT_EQ(IDOK, RunModal(about, [&] {
              ::SendMessageA(about.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }));
}

}  // namespace
