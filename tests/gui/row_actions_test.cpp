// A double-click on a result row follows its word; a Ctrl+double-click
// registers a pronunciation in the dictionary file.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "app/write_translate_dialog.h"
#include "framework/code_page.h"
#include "framework/win_app.h"
#include "result/pronunce_dialog.h"
#include "tests/gui/gui_test_support.h"

using gui_test::ClipboardText;
using gui_test::Cp932;
using gui_test::HeldKeys;
using gui_test::PostKey;
using gui_test::PumpFor;
using gui_test::RowText;
using gui_test::RunModal;
using gui_test::ScratchDirectory;
using gui_test::SetClipboardText;
using gui_test::WindowText;

namespace {

constexpr int kSettleMs = 1000;

// Acts on the pronunciation dialog once it shows: types and presses OK, or escapes.
struct PronunciationDialogAnswer {
  static inline std::wstring pronunciation;
  static inline bool escape = false;
  static inline bool seen = false;
  static inline HWND owner = nullptr;
  static void CALLBACK Check(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = ::FindWindowW(nullptr, L"発音記号の登録をしましょう");
    if (!dialog || !::IsWindowVisible(dialog)) return;
    ::KillTimer(nullptr, id);
    seen = true;
    owner = ::GetWindow(dialog, GW_OWNER);
    HWND edit = ::GetDlgItem(dialog, IDC_PRONUNCIATION);
    if (escape) {
      PostKey(edit, VK_ESCAPE);
      return;
    }
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pronunciation.c_str()));
    ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  }
  static void Expect(const std::string& text, bool escapeInstead) {
    pronunciation = fw::ToUnicode(text, 932);
    escape = escapeInstead;
    seen = false;
    owner = nullptr;
    ::SetTimer(nullptr, 0, 20, &Check);
  }
};

class RowActionsTest : public ::testing::Test {
 protected:
  // `writtenLongAgo`: so that what the lookup reads is kept for the next one.
  void WithResult(const std::string& dictionary, const char* query, const std::function<void()>& body,
                  bool writtenLongAgo = false) {
    scratch.Write("RAdoro.txt", dictionary);
    if (writtenLongAgo) {
      std::filesystem::last_write_time(
          "RAdoro.txt", std::filesystem::last_write_time("RAdoro.txt") - std::chrono::hours(1));
    }
    AfxGetApp()->m_pMainWnd = &dialog;  // as in the program: the owner of dialogs without a parent
    RunModal(dialog, [&] {
      list = ::GetDlgItem(gui_test::ResultWindowOf(dialog.m_hWnd), IDC_LIST0);
      dialog.LookupAndShow(query);
      PumpFor(kSettleMs);  // keys sent before focus settles are lost
      body();
    });
    AfxGetApp()->m_pMainWnd = nullptr;
  }
  void CtrlDoubleClick(int row) {
    HeldKeys ctrl({VK_CONTROL});
    PumpFor(100);
    DoubleClick(row);
  }
  void DoubleClick(int row) {
    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    ::SendMessageA(list, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  }

  ScratchDirectory scratch;
  CWriteTranslateDialog dialog;
  HWND list = nullptr;
};

TEST_F(RowActionsTest, ADoubleClickFollowsTheWordOfThePastForm) {
  const std::string went = Cp932("went\tv. goの過去形");
  const std::string go = Cp932("go\tv. 行く");
  WithResult(went + "\r\n" + go + "\r\n", "went", [&] {
    ASSERT_EQ(went + "\n", RowText(list, 0));
    // Another window with the main dialog's title, the first that title finds.
    HWND other = ::CreateWindowExA(0, "STATIC", MAIN_DIALOG_TITLE, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   nullptr, nullptr);
    ASSERT_EQ(other, ::FindWindowA(nullptr, MAIN_DIALOG_TITLE));
    DoubleClick(0);
    ::DestroyWindow(other);
    EXPECT_EQ("go", ClipboardText());
    EXPECT_EQ("go", WindowText(dialog.GetDlgItem(IDC_WORD)));
    EXPECT_EQ(go + "\n", RowText(list, 0));
  });
}

TEST_F(RowActionsTest, ARowWithoutASpaceLeavesTheClipboardAndTheRows) {
  WithResult("apple\tx\r\n", "pear", [&] {
    ASSERT_TRUE(SetClipboardText("marker"));
    ASSERT_EQ("Unknown", RowText(list, 0));
    DoubleClick(0);
    EXPECT_EQ("marker", ClipboardText());
    EXPECT_EQ("Unknown", RowText(list, 0));
    EXPECT_EQ("", WindowText(dialog.GetDlgItem(IDC_WORD)));  // no clipboard lookup ran
  });
}

TEST_F(RowActionsTest, CtrlDoubleClickRegistersAPronunciationAndKeepsTheBackup) {
  const std::string before = "abandon\tto give up\r\nable\tcan\r\n";
  WithResult(before, "abandon", [&] {
    ASSERT_TRUE(SetClipboardText("marker"));
    PronunciationDialogAnswer::Expect("@'b&nd@n", false);
    {
      HeldKeys ctrl({VK_CONTROL});
      PumpFor(100);
      DoubleClick(0);
    }
    EXPECT_TRUE(PronunciationDialogAnswer::seen);
    EXPECT_EQ(gui_test::ResultWindowOf(dialog.m_hWnd), PronunciationDialogAnswer::owner);
    EXPECT_EQ("abandon\t[@'b&nd@n]\tto give up\r\nable\tcan\r\n", scratch.Read("RAdoro.txt"));
    EXPECT_EQ(before, scratch.Read("RAdoro.txt.bak"));
    EXPECT_FALSE(scratch.Exists("RAdoro.txt.next"));
    // Nothing else happened: no lookup, the row still shows its old text.
    EXPECT_EQ("marker", ClipboardText());
    EXPECT_EQ("abandon\tto give up\n", RowText(list, 0));
  });
}

// The lookups keep what they read of a dictionary that stays as it was; the
// registration's rewrite shows at the very next lookup all the same.
TEST_F(RowActionsTest, TheNextLookupShowsTheRegisteredPronunciation) {
  WithResult(
      "abandon\tto give up\r\nable\tcan\r\n", "abandon",
      [&] {
        dialog.LookupAndShow("abandon");  // through what the first lookup kept
        PronunciationDialogAnswer::Expect("@'b&nd@n", false);
        {
          HeldKeys ctrl({VK_CONTROL});
          PumpFor(100);
          DoubleClick(0);
        }
        ASSERT_TRUE(PronunciationDialogAnswer::seen);
        dialog.LookupAndShow("abandon");
        EXPECT_EQ("abandon\t[@'b&nd@n]\tto give up\n", RowText(list, 0));
        dialog.LookupAndShow("able");
        EXPECT_EQ("able\tcan\n", RowText(list, 0));
      },
      true);
}

TEST_F(RowActionsTest, EscapeInThePronunciationDialogWritesNothing) {
  const std::string before = "abandon\tto give up\r\n";
  WithResult(before, "abandon", [&] {
    PronunciationDialogAnswer::Expect("x", true);
    {
      HeldKeys ctrl({VK_CONTROL});
      PumpFor(100);
      DoubleClick(0);
    }
    EXPECT_TRUE(PronunciationDialogAnswer::seen);
    EXPECT_EQ(before, scratch.Read("RAdoro.txt"));
    EXPECT_FALSE(scratch.Exists("RAdoro.txt.bak"));
    EXPECT_FALSE(scratch.Exists("RAdoro.txt.next"));
  });
}

TEST_F(RowActionsTest, CtrlDoubleClickOnThePlaceholderOpensNoDialog) {
  WithResult("apple\tx\r\n", "pear", [&] {
    PronunciationDialogAnswer::Expect("x", false);
    {
      HeldKeys ctrl({VK_CONTROL});
      PumpFor(100);
      DoubleClick(0);
      PumpFor(200);
    }
    EXPECT_FALSE(PronunciationDialogAnswer::seen);
    EXPECT_EQ("apple\tx\r\n", scratch.Read("RAdoro.txt"));
  });
}

TEST_F(RowActionsTest, ARowEndingInALoneLeadByteShowsOnlyItselfAndRegistersOnItsExactBytes) {
  // The last row's last byte is the lead byte of a double-byte character without its trail byte.
  const std::string longer = "abcdefghijklmnop\tthe tail of a longer row\r\n";
  WithResult(longer + "abd\tx\x82", "ab", [&] {
    std::wstring shown(static_cast<size_t>(::SendMessageW(list, LB_GETTEXTLEN, 1, 0)) + 1, L'\0');
    shown.resize(
        static_cast<size_t>(::SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(shown.data()))));
    EXPECT_EQ(0u, shown.find(L"abd\tx"));
    EXPECT_LE(shown.size(), 7u) << "the row runs on past its end";

    PronunciationDialogAnswer::Expect("p", false);
    {
      HeldKeys ctrl({VK_CONTROL});
      PumpFor(100);
      DoubleClick(1);
    }
    EXPECT_TRUE(PronunciationDialogAnswer::seen);
    EXPECT_EQ(longer + "abd\t[p]\tx\x82\r\n", scratch.Read("RAdoro.txt"));
  });
}

TEST_F(RowActionsTest, ADoubleClickWhileTheClipboardIsHeldForAMomentStillFollowsTheWord) {
  const std::string abandon = "abandon\tto give up";
  WithResult(abandon + "\r\n", "abandon", [&] {
    ASSERT_TRUE(SetClipboardText("marker"));
    gui_test::ClipboardHeldBriefly history(25);
    DoubleClick(0);
    EXPECT_EQ("abandon", ClipboardText());
    EXPECT_EQ("abandon", WindowText(dialog.GetDlgItem(IDC_WORD)));
  });
}

// Reads and closes the first message box that shows, remembering its text.
struct MessageBoxAnswer {
  static inline std::wstring text;
  static inline HWND owner = nullptr;
  static void CALLBACK Check(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = ::FindWindowW(L"#32770", L"Lexmoor");
    if (!box || !::IsWindowVisible(box)) return;
    ::KillTimer(nullptr, id);
    wchar_t buffer[1024] = {};
    ::GetDlgItemTextW(box, 0xFFFF, buffer, 1024);  // the message's static text
    text = buffer;
    owner = ::GetWindow(box, GW_OWNER);
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  static void Expect() {
    text.clear();
    owner = nullptr;
    ::SetTimer(nullptr, 0, 20, &Check);
  }
};

std::wstring FullPath(const wchar_t* name) {
  wchar_t full[MAX_PATH] = {};
  ::GetFullPathNameW(name, MAX_PATH, full, nullptr);
  return full;
}

std::wstring SystemMessage(DWORD code) {
  wchar_t text[512] = {};
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  // Japanese where the system has it, whatever the user's language, as the box says it.
  if (!::FormatMessageW(flags, nullptr, code, MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), text, 512, nullptr))
    ::FormatMessageW(flags, nullptr, code, 0, text, 512, nullptr);
  std::wstring message = text;
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) message.pop_back();
  return message;
}

TEST(PronunceDialog, AFailedRegistrationNamesTheFileAndTheReasonAndStaysOpen) {
  ScratchDirectory scratch;
  const std::string before = "run\tfast\r\n";
  scratch.Write("RAdoro.txt", before);
  scratch.Write("RAdoro.txt.next", "");
  // Another program holds the work file left by an earlier run, as the search indexer may.
  HANDLE held = ::CreateFileA("RAdoro.txt.next", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  CPronunceDialog dialog("run\tfast\n");
  const INT_PTR result = RunModal(dialog, [&] {
    HWND edit = dialog.GetDlgItem(IDC_PRONUNCIATION);
    ::SetWindowTextA(edit, "x");
    MessageBoxAnswer::Expect();
    ::SendMessageA(dialog.GetDlgItem(IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.m_hWnd, MessageBoxAnswer::owner);
    const std::wstring& text = MessageBoxAnswer::text;
    EXPECT_NE(std::wstring::npos, text.find(L"登録できませんでした")) << text.c_str();
    EXPECT_NE(std::wstring::npos, text.find(FullPath(L"RAdoro.txt.next")));
    EXPECT_NE(std::wstring::npos, text.find(SystemMessage(ERROR_SHARING_VIOLATION)));
    EXPECT_TRUE(dialog.ContinueModal());
    EXPECT_EQ(before, scratch.Read("RAdoro.txt"));

    // Once the other program lets go, OK again registers and closes.
    ::CloseHandle(held);
    held = nullptr;
    ::SendMessageA(dialog.GetDlgItem(IDOK), BM_CLICK, 0, 0);
    EXPECT_FALSE(dialog.ContinueModal());
  });
  if (held) ::CloseHandle(held);
  EXPECT_EQ(IDOK, result);
  EXPECT_EQ("run\t[x]\tfast\r\n", scratch.Read("RAdoro.txt"));
}

// The row shown is the text before the first registration: a second one on it
// finds no such line, says so and writes nothing, the backup included.
TEST_F(RowActionsTest, ASecondRegistrationOnTheSameShownRowTellsAndWritesNothing) {
  WithResult("abandon\tto give up\r\nable\tcan\r\n", "abandon", [&] {
    PronunciationDialogAnswer::Expect(Cp932("あばんどん"), false);
    CtrlDoubleClick(0);
    const std::string dictionary = scratch.Read("RAdoro.txt"), backup = scratch.Read("RAdoro.txt.bak");
    ASSERT_EQ(Cp932("abandon\t[あばんどん]\tto give up\r\nable\tcan\r\n"), dictionary);
    PumpFor(kSettleMs);  // keys sent before focus settles are lost
    PronunciationDialogAnswer::Expect("p2", false);
    MessageBoxAnswer::Expect();
    CtrlDoubleClick(0);
    EXPECT_NE(std::wstring::npos, MessageBoxAnswer::text.find(L"もう一度引いて"));
    EXPECT_EQ(dictionary, scratch.Read("RAdoro.txt"));
    EXPECT_EQ(backup, scratch.Read("RAdoro.txt.bak"));
    EXPECT_FALSE(scratch.Exists("RAdoro.txt.next"));
  });
}

// Watches a registration waiting for a dictionary another program reads: at each tick while the
// work file is there and no message box shows, notes how the result window is and presses OK
// once more. Answers the message box by letting the reader go, then presses OK again, which registers.
struct HeldDictionaryWatch {
  static inline HANDLE reader = nullptr;
  static inline HWND result = nullptr, lastBox = nullptr;
  static inline int waitingTicks = 0, boxes = 0;
  static inline DWORD lastTick = 0, longestGap = 0;
  static inline bool resultEnabled = false, pressedAgain = false, pressedAfterBox = false;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD now) {
    HWND dialog = ::FindWindowW(nullptr, L"発音記号の登録をしましょう");
    HWND box = ::FindWindowW(L"#32770", L"Lexmoor");
    if (box && box != lastBox && ::IsWindowVisible(box)) {
      lastBox = box;
      ++boxes;
      ::CloseHandle(reader);
      MessageBoxAnswer::Check(nullptr, 0, 0, 0);  // reads and closes it
    } else if (dialog && !box && boxes > 0 && !pressedAfterBox) {
      pressedAfterBox = true;
      ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    } else if (dialog && !box && std::filesystem::exists("RAdoro.txt.next")) {
      if (waitingTicks++ > 0) longestGap = std::max(longestGap, now - lastTick);
      lastTick = now;
      resultEnabled = resultEnabled || ::IsWindowEnabled(result);
      if (!pressedAgain) ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
      pressedAgain = true;
    }
  }
};

TEST_F(RowActionsTest, WhileAReaderHoldsTheDictionaryTheWindowsAnswerAndOnlyOneRegistrationRuns) {
  const std::string before = "abandon\tto give up\r\nable\tcan\r\n";
  WithResult(before, "abandon", [&] {
    // As an editor or the search indexer reads it: without delete sharing.
    HeldDictionaryWatch::reader = ::CreateFileA(
        "RAdoro.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, HeldDictionaryWatch::reader);
    HeldDictionaryWatch::result = gui_test::ResultWindowOf(dialog.m_hWnd);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &HeldDictionaryWatch::Tick);
    PronunciationDialogAnswer::Expect("x", false);
    CtrlDoubleClick(0);
    ::KillTimer(nullptr, timer);

    std::printf("while waiting: %d ticks of 10 ms handled, longest gap %lu ms\n",
                HeldDictionaryWatch::waitingTicks, HeldDictionaryWatch::longestGap);
    EXPECT_EQ(1, HeldDictionaryWatch::boxes);  // the second OK started nothing
    EXPECT_GE(HeldDictionaryWatch::waitingTicks, 5);
    EXPECT_LT(HeldDictionaryWatch::longestGap, 300u);
    EXPECT_FALSE(HeldDictionaryWatch::resultEnabled);
    const std::wstring& text = MessageBoxAnswer::text;
    EXPECT_NE(std::wstring::npos, text.find(FullPath(L"RAdoro.txt") + L"\n")) << text.c_str();
    EXPECT_NE(std::wstring::npos, text.find(L"ほかのプログラムがこのファイルを使っています"));
    EXPECT_EQ("abandon\t[x]\tto give up\r\nable\tcan\r\n", scratch.Read("RAdoro.txt"));
    EXPECT_EQ(before, scratch.Read("RAdoro.txt.bak"));
    EXPECT_FALSE(scratch.Exists("RAdoro.txt.next"));
    EXPECT_FALSE(scratch.Exists("RAdoro.txt.bak.tmp"));
  });
}

}  // namespace
