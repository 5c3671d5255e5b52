// What starts a lookup: the hot key from the clipboard, the messages other
// programs send, the tray icon, the buttons and Enter.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/hot_key.h"
#include "app/write_translate_dialog.h"
#include "res/private_messages.h"
#include "tests/gui/gui_test_support.h"

using gui_test::BuiltProgram;
using gui_test::HeldKeys;
using gui_test::PostKey;
using gui_test::PumpFor;
using gui_test::PumpUntil;
using gui_test::RunModal;
using gui_test::RunProgram;
using gui_test::ScratchDirectory;
using gui_test::SetClipboardPicture;
using gui_test::SetClipboardText;
using gui_test::SetClipboardTextWithoutData;
using gui_test::WindowText;

namespace {

constexpr char kDictionary[] = "apple\tn. A\r\nbanana\tn. B\r\ncherry\tn. C\r\n";
// Time for Wine to settle X focus after a window appears; keys sent before are
// lost. Generous: on a busy machine the X server answers late.
constexpr int kSettleMs = 1000;
// Long enough for several 50 ms ticks.
constexpr int kSeveralTicksMs = 400;

std::string FirstRow(HWND list) {
  return ::SendMessageA(list, LB_GETCOUNT, 0, 0) < 1 ? "" : gui_test::RowText(list, 0);
}

// Counts the texts set on the edit box: one per clipboard lookup.
struct EditTextCounter {
  static inline int count = 0;
  static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_SETTEXT) ++count;
    return ::DefSubclassProc(hWnd, message, wParam, lParam);
  }
};

// Counts the rows put into a list.
struct RowInsertCounter {
  static inline int count = 0;
  static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == LB_INSERTSTRING) ++count;
    return ::DefSubclassProc(hWnd, message, wParam, lParam);
  }
};

class TriggersTest : public ::testing::Test {
 protected:
  void SetUp() override { scratch.Write("RAdoro.txt", kDictionary); }

  // Runs `body` once the first tick has hidden the main dialog.
  INT_PTR WithDialog(const std::function<void()>& body) {
    return RunModal(dialog, [&] {
      edit = dialog.GetDlgItem(IDC_WORD);
      window = gui_test::ResultWindowOf(dialog.m_hWnd);
      list = ::GetDlgItem(window, IDC_LIST0);
      PumpUntil([&] { return !::IsWindowVisible(dialog.m_hWnd); });
      body();
    });
  }
  // Shows the result window once and lets focus settle, so keys held later stay held.
  void ShowResultWindowFirst() {
    dialog.LookupAndShow("cherry");
    PumpFor(kSettleMs);
  }
  std::string Row() const { return FirstRow(list); }

  ScratchDirectory scratch;
  gui_test::TestDesktop desktop;
  CWriteTranslateDialog dialog{nullptr, desktop};
  HWND edit = nullptr;
  HWND window = nullptr;
  HWND list = nullptr;
};

TEST_F(TriggersTest, TheFirstTickHidesTheDialogOnce) {
  bool shownAtStart = false;
  RunModal(dialog, [&] {
    shownAtStart = ::IsWindowVisible(dialog.m_hWnd) != FALSE;
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(dialog.m_hWnd); }, 2000));
    dialog.ShowWindow(SW_SHOW);
    PumpFor(kSeveralTicksMs);
    EXPECT_TRUE(::IsWindowVisible(dialog.m_hWnd));  // later ticks leave it alone
  });
  EXPECT_TRUE(shownAtStart);
}

TEST_F(TriggersTest, TheHotKeyLooksTheClipboardUpAtEveryTickWhileHeld) {
  WithDialog([&] {
    ShowResultWindowFirst();
    ASSERT_TRUE(SetClipboardText("apple"));
    ::SetWindowSubclass(edit, &EditTextCounter::Proc, 1, 0);
    {
      HeldKeys keys({VK_CONTROL, VK_NONCONVERT});
      EXPECT_TRUE(PumpUntil([&] { return Row() == "apple\tn. A\n"; }));
      EXPECT_EQ("apple", WindowText(edit));
      EditTextCounter::count = 0;
      PumpFor(kSeveralTicksMs);
      EXPECT_GE(EditTextCounter::count, 4);  // a lookup at (nearly) every 50 ms tick

      // The rows follow the clipboard while the keys stay down.
      ASSERT_TRUE(SetClipboardText("banana"));
      EXPECT_TRUE(PumpUntil([&] { return Row() == "banana\tn. B\n"; }));
    }
    PumpFor(100);
    ASSERT_TRUE(SetClipboardText("apple"));
    EditTextCounter::count = 0;
    PumpFor(kSeveralTicksMs);
    EXPECT_EQ(0, EditTextCounter::count);
    EXPECT_EQ("banana\tn. B\n", Row());
    ::RemoveWindowSubclass(edit, &EditTextCounter::Proc, 1);
  });
}

// The rows of a held key's first tick stay; later ticks only bring the
// window to the cursor and to the front, until the dictionary changes.
TEST_F(TriggersTest, HeldKeysListTheSameTextOnceUntilTheDictionaryChanges) {
  // Written long ago, as a user's dictionary is: what a lookup learns of it is kept.
  std::filesystem::last_write_time("RAdoro.txt",
                                   std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  WithDialog([&] {
    ShowResultWindowFirst();
    ASSERT_TRUE(SetClipboardText("apple"));
    ::SetWindowSubclass(list, &RowInsertCounter::Proc, 1, 0);
    {
      HeldKeys keys({VK_CONTROL, VK_NONCONVERT});
      EXPECT_TRUE(PumpUntil([&] { return Row() == "apple\tn. A\n"; }));
      RowInsertCounter::count = 0;
      desktop.foregroundCalls = 0;
      PumpFor(kSeveralTicksMs);
      EXPECT_GE(desktop.foregroundCalls, 4);  // at (nearly) every 50 ms tick
      EXPECT_EQ(0, RowInsertCounter::count);

      scratch.Write("RAdoro.txt", "apple\tn. Z\r\n");
      EXPECT_TRUE(PumpUntil([&] { return Row() == "apple\tn. Z\n"; }));
    }
    ::RemoveWindowSubclass(list, &RowInsertCounter::Proc, 1);
  });
}

TEST_F(TriggersTest, CtrlAloneOrNonConvertAloneDoesNothing) {
  WithDialog([&] {
    ShowResultWindowFirst();
    ASSERT_TRUE(SetClipboardText("apple"));
    {
      HeldKeys ctrl({VK_CONTROL});
      PumpFor(kSeveralTicksMs);
    }
    {
      HeldKeys nonConvert({VK_NONCONVERT});
      PumpFor(kSeveralTicksMs);
    }
    EXPECT_EQ("cherry\tn. C\n", Row());
    EXPECT_EQ("", WindowText(edit));
  });
}

TEST_F(TriggersTest, AClipboardWithoutTextLeavesEverythingAsItWas) {
  WithDialog([&] {
    ShowResultWindowFirst();
    ::SetWindowTextA(edit, "before");
    ASSERT_TRUE(SetClipboardPicture());
    {
      HeldKeys keys({VK_CONTROL, VK_NONCONVERT});
      PumpFor(kSeveralTicksMs);
    }
    EXPECT_EQ("before", WindowText(edit));
    EXPECT_EQ("cherry\tn. C\n", Row());
  });
}

TEST_F(TriggersTest, TextAnnouncedWithoutDataClearsTheEditBoxAndShowsNothing) {
  WithDialog([&] {
    ::SetWindowTextA(edit, "before");
    ASSERT_TRUE(SetClipboardTextWithoutData());
    EXPECT_EQ(1, ::SendMessageA(dialog.m_hWnd, WM_LOOKUP_CLIPBOARD, 0, 0));
    EXPECT_EQ("", WindowText(edit));
    EXPECT_FALSE(::IsWindowVisible(window));
  });
}

TEST_F(TriggersTest, AMegabyteOfClipboardTextGoesWholeIntoTheEditBox) {
  WithDialog([&] {
    const std::string page = "apple" + std::string(1 << 20, 'x');
    ASSERT_TRUE(SetClipboardText(page));
    EXPECT_EQ(1, ::SendMessageA(dialog.m_hWnd, WM_LOOKUP_CLIPBOARD, 0, 0));
    EXPECT_EQ(static_cast<int>(page.size()), ::GetWindowTextLengthA(edit));
    // The lookup took the first 127 bytes: "apple" and 122 x's match nothing.
    EXPECT_EQ("Unknown", Row());
    EXPECT_TRUE(::IsWindowVisible(window));
  });
}

TEST_F(TriggersTest, AnotherProgramAsksForAClipboardLookup) {
  WithDialog([&] {
    const std::string poke = "\"" + BuiltProgram("tools\\win\\lexmoor-poke.exe") + "\"";
    ASSERT_EQ(0, RunProgram(poke + " copy banana"));
    std::string answer;
    ASSERT_EQ(0, RunProgram(poke + " lookup-clipboard", &answer));
    EXPECT_EQ("1", answer.substr(0, answer.find_first_of("\r\n")));
    EXPECT_EQ("banana", WindowText(edit));
    EXPECT_EQ("banana\tn. B\n", Row());
    EXPECT_TRUE(::IsWindowVisible(window));
  });
}

// The lookup finds the word without the punctuation copied with it; the
// edit box keeps what was copied.
TEST_F(TriggersTest, AWordCopiedWithItsPunctuationFindsItsWord) {
  WithDialog([&] {
    const std::string copied =
        "\x81\x67"
        "Bananas,"
        "\x81\x68";  // “Bananas,”
    ASSERT_TRUE(SetClipboardText(copied));
    EXPECT_EQ(1, ::SendMessageA(dialog.m_hWnd, WM_LOOKUP_CLIPBOARD, 0, 0));
    EXPECT_EQ(copied, WindowText(edit));
    EXPECT_EQ("banana\tn. B\n", Row());
    EXPECT_TRUE(::IsWindowVisible(window));
  });
}

TEST_F(TriggersTest, CommandFromAnotherProgramEndsTheRun) {
  bool endedByCommand = false;
  const INT_PTR result = WithDialog([&] {
    const std::string poke = "\"" + BuiltProgram("tools\\win\\lexmoor-poke.exe") + "\"";
    ASSERT_EQ(0, RunProgram(poke + " close"));
    endedByCommand = PumpUntil([&] { return !dialog.ContinueModal(); });
  });
  EXPECT_TRUE(endedByCommand);
  EXPECT_EQ(IDCANCEL, result);
}

// The notification itself counts, from the mouse or the keyboard, in either
// layout of the callback (the event alone, or with the icon's ID above it).
TEST_F(TriggersTest, TheTrayIconShowsTheDialogWhenChosenWithTheLeftButtonOrTheKeyboard) {
  const struct {
    UINT event;
    bool shows;
  } kEvents[] = {{WM_MOUSEMOVE, false},   {WM_RBUTTONDOWN, false}, {WM_RBUTTONUP, false},
                 {WM_CONTEXTMENU, false}, {WM_LBUTTONDOWN, true},  {WM_LBUTTONUP, true},
                 {NIN_SELECT, true},      {NIN_KEYSELECT, true}};
  WithDialog([&] {
    EXPECT_EQ(static_cast<UINT>(NOTIFYICON_VERSION_4), desktop.iconVersion);
    for (const auto& event : kEvents) {
      for (LPARAM lParam : {static_cast<LPARAM>(event.event), MAKELPARAM(event.event, 0)}) {
        SCOPED_TRACE(event.event);
        dialog.ShowWindow(SW_HIDE);
        EXPECT_EQ(0, ::SendMessageA(dialog.m_hWnd, WM_TRAY_CALLBACK, MAKEWPARAM(1200, 1000), lParam));
        EXPECT_EQ(event.shows, ::IsWindowVisible(dialog.m_hWnd) != FALSE);
      }
    }

    // HIDE hides it again; the program goes on.
    ::SendMessageA(dialog.GetDlgItem(IDC_HIDE), BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(dialog.m_hWnd));
    EXPECT_TRUE(dialog.ContinueModal());
  });
}

TEST_F(TriggersTest, EnterAndTranslateLookTheEditTextUpAndCloseNothing) {
  WithDialog([&] {
    dialog.ShowWindow(SW_SHOW);
    ::SetWindowTextA(edit, "apple");
    PostKey(edit, VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return Row() == "apple\tn. A\n"; }));
    EXPECT_TRUE(dialog.ContinueModal());
    EXPECT_TRUE(::IsWindowVisible(dialog.m_hWnd));

    ::SetWindowTextA(edit, "Banana ");
    ::SendMessageA(dialog.GetDlgItem(IDC_TRANSLATE), BM_CLICK, 0, 0);
    EXPECT_EQ("banana\tn. B\n", Row());
    EXPECT_TRUE(dialog.ContinueModal());
  });
}

TEST_F(TriggersTest, ARestartedTaskbarGetsTheIconAgain) {
  WithDialog([&] {
    NOTIFYICONDATAW record = desktop.record;
    // The shell forgets its icons when it restarts.
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &record));
    EXPECT_FALSE(::Shell_NotifyIconW(NIM_MODIFY, &record));
    ::SendMessageA(dialog.m_hWnd, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(::Shell_NotifyIconW(NIM_MODIFY, &record));
    // Run elevated, the program still hears the restart, and what other programs send it.
    for (UINT message : {::RegisterWindowMessageA("TaskbarCreated"), WM_TRAY_CALLBACK, WM_LOOKUP_CLIPBOARD,
                         static_cast<UINT>(WM_COMMAND), WM_SHOW_MAIN_DIALOG})
      EXPECT_EQ(1u, desktop.allowedMessages.count(message)) << message;
  });
}

TEST_F(TriggersTest, WhenTheForegroundIsRefusedTheHotKeyStillRaisesTheWindowAboveAnotherProgram) {
  WithDialog([&] {
    ::SetCursorPos(300, 200);
    ShowResultWindowFirst();
    desktop.refuseForeground = true;  // the foreground lock: the key press went to the other program
    RECT shown;
    ::GetWindowRect(window, &shown);
    const POINT centre{(shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2};
    // The user goes on working in another program, whose window covers the result window.
    gui_test::OtherProgramWindow other(RECT{100, 100, 900, 700});
    ASSERT_NE(nullptr, other.Window());
    PumpFor(kSettleMs);
    ASSERT_EQ(other.Window(), ::GetAncestor(::WindowFromPoint(centre), GA_ROOT));

    ASSERT_TRUE(SetClipboardText("apple"));
    {
      HeldKeys keys({VK_CONTROL, VK_NONCONVERT});
      EXPECT_TRUE(PumpUntil([&] { return Row() == "apple\tn. A\n"; }));
    }
    EXPECT_EQ(window, ::GetAncestor(::WindowFromPoint(centre), GA_ROOT));
    // Raised without taking the focus from the other program, and not left always on top.
    EXPECT_NE(window, ::GetForegroundWindow());
    EXPECT_EQ(0, ::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  });
}

TEST_F(TriggersTest, AClipboardHeldForAMomentIsStillRead) {
  WithDialog([&] {
    ASSERT_TRUE(SetClipboardText("banana"));
    gui_test::ClipboardHeldBriefly history(25);
    EXPECT_EQ(1, ::SendMessageA(dialog.m_hWnd, WM_LOOKUP_CLIPBOARD, 0, 0));
    EXPECT_EQ("banana", WindowText(edit));
    EXPECT_EQ("banana\tn. B\n", Row());
  });
}

// Puts text on the clipboard as a program does, with the input language's locale.
bool SetClipboard(UINT format, const void* data, size_t size, LCID locale) {
  HWND owner = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  bool set = false;
  if (::OpenClipboard(owner)) {
    ::EmptyClipboard();
    HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(text), data, size);
    ::GlobalUnlock(text);
    set = ::SetClipboardData(format, text) != nullptr;
    HGLOBAL localeBlock = ::GlobalAlloc(GMEM_MOVEABLE, sizeof locale);
    std::memcpy(::GlobalLock(localeBlock), &locale, sizeof locale);
    ::GlobalUnlock(localeBlock);
    ::SetClipboardData(CF_LOCALE, localeBlock);
    ::CloseClipboard();
  }
  ::DestroyWindow(owner);
  gui_test::WaitUntilClipboardIsFree();
  return set;
}

TEST_F(TriggersTest, TextArrivesInTheDictionarysCodePageWhateverTheInputLanguage) {
  constexpr LCID kEnglishUnitedStates = 0x0409;
  WithDialog([&] {
    // A browser puts Unicode text only; under an English input language the
    // system's CF_TEXT made from it would carry neither ’ nor 日本.
    const wchar_t browser[] = L"\u2019\u65E5\u672C";
    ASSERT_TRUE(SetClipboard(CF_UNICODETEXT, browser, sizeof browser, kEnglishUnitedStates));
    ::SendMessageA(dialog.m_hWnd, WM_LOOKUP_CLIPBOARD, 0, 0);
    EXPECT_EQ(gui_test::Cp932("’日本"), WindowText(edit));

    // A program's own CF_TEXT is in the system's code page, not in the input
    // language's, which the system would make the Unicode text from: under
    // 932 it is taken as it is, under 1252 converted from 1252 ("§×").
    const bool japanese = ::GetACP() == 932;
    const std::string program = japanese ? gui_test::Cp932("日本") : "\xA7\xD7";
    ASSERT_TRUE(SetClipboard(CF_TEXT, program.c_str(), program.size() + 1, kEnglishUnitedStates));
    ::SendMessageA(dialog.m_hWnd, WM_LOOKUP_CLIPBOARD, 0, 0);
    EXPECT_EQ(japanese ? program : gui_test::Cp932("§×"), WindowText(edit));
  });
}

// Windows' foreground lock: the key press went to the other program, so only
// the WM_HOTKEY that the press sends gives this one the right to the foreground.
TEST_F(TriggersTest, APressOverAnotherProgramGivesThePopUpTheKeyboard) {
  WithDialog([&] {
    ::SetCursorPos(300, 200);
    ShowResultWindowFirst();
    desktop.foregroundOnlyAtHotKey = true;
    gui_test::OtherProgramWindow other(RECT{100, 100, 900, 700});
    ASSERT_NE(nullptr, other.Window());
    PumpFor(kSettleMs);
    ASSERT_NE(window, ::GetForegroundWindow());
    ASSERT_TRUE(SetClipboardText("apple"));
    {
      HeldKeys keys({VK_CONTROL, VK_NONCONVERT});
      EXPECT_TRUE(PumpUntil([&] { return Row() == "apple\tn. A\n"; }));
    }
    PumpFor(kSettleMs);
    EXPECT_EQ(window, ::GetForegroundWindow());
    HeldKeys({VK_ESCAPE}).Release();  // typed: it goes wherever the keyboard is
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(window); }));
  });
}

// One press, one lookup: from the WM_HOTKEY or from the first tick that sees
// the keys, whichever comes first; the ticks after it repeat while they stay held.
TEST(HotKey, OnePressGivesOneLookupThenRepeatsWhileHeld) {
  // P: a WM_HOTKEY, T: a tick; L: look up, R: again, F: to the front only, -: nothing.
  const char* const kPresses[][2] = {{"PTTPT", "L-R-R"}, {"TPTP", "LFR-"}};
  gui_test::TestDesktop desktop;
  HotKey hotKey(desktop);
  auto held = [] { return ::GetAsyncKeyState(VK_CONTROL) < 0 && ::GetAsyncKeyState(VK_NONCONVERT) < 0; };
  auto code = [](HotKey::Action action) { return "-LRF"[static_cast<int>(action)]; };
  for (const auto& press : kPresses) {
    std::string actions;
    {
      HeldKeys keys({VK_CONTROL, VK_NONCONVERT});
      ASSERT_TRUE(PumpUntil(held));
      for (const char* step = press[0]; *step; ++step)
        actions += code(*step == 'P' ? hotKey.Pressed() : hotKey.Tick());
    }
    ASSERT_TRUE(PumpUntil([&] { return !held(); }));
    actions += code(hotKey.Tick());  // released: the next press starts afresh
    EXPECT_EQ(std::string(press[1]) + "-", actions) << press[0];
  }
}

// Ctrl with VK_NONCONVERT, and with the key the layout gives the NonConvert
// key where that is another. Where another program holds the combination,
// the poll alone looks up, on either key.
TEST(HotKey, IsRegisteredForTheLayoutsKeyTooAndPolledWhereRefused) {
  const struct {
    UINT layoutKey;
    bool refused;
    std::vector<UINT> registered;
  } kLayouts[] = {{VK_NONCONVERT, false, {VK_NONCONVERT}},
                  {VK_OEM_PA1, false, {VK_NONCONVERT, VK_OEM_PA1}},
                  {VK_OEM_PA1, true, {}}};
  for (const auto& layout : kLayouts) {
    ScratchDirectory scratch;
    scratch.Write("RAdoro.txt", kDictionary);
    gui_test::TestDesktop desktop;
    desktop.layoutKey = layout.layoutKey;
    desktop.refuseHotKeys = layout.refused;
    CWriteTranslateDialog dialog(nullptr, desktop);
    RunModal(dialog, [&] {
      EXPECT_EQ(layout.registered, desktop.hotKeys) << layout.layoutKey;
      if (!layout.refused) return;
      PumpUntil([&] { return !::IsWindowVisible(dialog.m_hWnd); });
      PumpFor(kSettleMs);
      ASSERT_TRUE(SetClipboardText("apple"));
      HeldKeys keys({VK_CONTROL, static_cast<WORD>(layout.layoutKey)});
      HWND list = ::GetDlgItem(gui_test::ResultWindowOf(dialog.m_hWnd), IDC_LIST0);
      EXPECT_TRUE(PumpUntil([&] { return FirstRow(list) == "apple\tn. A\n"; }));
    });
  }
}

// A lookup that can't read the dictionary says why, by a balloon from the tray
// icon naming the file's full path and the system's reason, once a minute at most.
TEST(UnreadableDictionary, ABalloonNamesThePathAndTheReason) {
  for (const DWORD reason : {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION}) {
    ScratchDirectory scratch;
    if (reason == ERROR_ACCESS_DENIED) ::CreateDirectoryA("RAdoro.txt", nullptr);
    if (reason == ERROR_SHARING_VIOLATION) scratch.Write("RAdoro.txt", kDictionary);
    // Held by another program that lets no one else open it.
    HANDLE held = ::CreateFileA("RAdoro.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    gui_test::TestDesktop desktop;
    CWriteTranslateDialog dialog(nullptr, desktop);
    RunModal(dialog, [&] {
      dialog.LookupAndShow("apple");
      dialog.LookupAndShow("apple");
    });
    if (held != INVALID_HANDLE_VALUE) ::CloseHandle(held);
    wchar_t path[MAX_PATH];
    ::GetFullPathNameW(L"RAdoro.txt", MAX_PATH, path, nullptr);
    ASSERT_EQ(1u, desktop.balloons.size()) << reason;
    EXPECT_NE(std::wstring::npos, desktop.balloons[0].find(path)) << desktop.balloons[0].c_str();
    EXPECT_NE(std::wstring::npos, desktop.balloons[0].find(L"(" + std::to_wstring(reason) + L")"));
  }
}

}  // namespace
