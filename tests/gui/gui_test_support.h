// Helpers for tests that drive the real windows in-process under Wine.
#pragma once

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/desktop.h"
#include "framework/dialog.h"
#include "tests/support/temp_dir.h"

namespace gui_test {

// Runs `dialog` modally and calls `body` once its modal loop runs. The dialog
// is ended with IDCANCEL after `body` unless `body` ended it. Returns DoModal's result.
INT_PTR RunModal(CDialog& dialog, const std::function<void()>& body);

// Handles messages as the program's loops do, for `ms` milliseconds.
void PumpFor(int ms);
// Handles messages until `done` is true or `timeoutMs` passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// Posts a key press and release to `target`; the modal loop routes it like a typed key.
void PostKey(HWND target, UINT virtualKey);

// The text of a window, or of row `index` of a list, as the program sees it:
// read in Unicode and converted to code page 932, whatever the system's.
std::string WindowText(HWND hWnd);
std::string RowText(HWND list, int index);
// `utf8` in code page 932, as the program's strings are.
std::string Cp932(const char* utf8);
std::string ClassName(HWND hWnd);

// The child windows of `parent` in creation (template) order.
std::vector<HWND> Children(HWND parent);

// Waits while another program (under Wine, its clipboard bridge to X, which
// takes the clipboard after every change) holds the clipboard, so that a
// lookup sent right after a setter below finds it free. The setters wait too.
void WaitUntilClipboardIsFree();

// Puts `text` (code page 932) on the clipboard as a program does, in Unicode
// (CF_UNICODETEXT, nothing else); false when that failed.
bool SetClipboardText(const std::string& text);
// The clipboard's Unicode text in code page 932.
std::string ClipboardText();
// Puts a small picture on the clipboard, and no text.
bool SetClipboardPicture();
// Announces CF_TEXT on the clipboard without ever delivering it.
bool SetClipboardTextWithoutData();

// Keys held down through SendInput, as if pressed on the keyboard; released
// when the object goes, so no test leaves a key down for the next.
class HeldKeys {
 public:
  explicit HeldKeys(std::vector<WORD> keys);
  ~HeldKeys() { Release(); }
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;
  void Release();

 private:
  std::vector<WORD> m_keys;
};

// Runs another program to its end while this thread goes on handling
// messages; returns its exit code (-1 when it could not start) and its output.
int RunProgram(const std::string& commandLine, std::string* output = nullptr);
// The path of a program built beside the tests, relative to the build tree.
std::string BuiltProgram(const std::string& relativePath);

// A fresh working directory for one test, removed afterwards; the program's
// files (RAdoro.txt and its companions) are relative to it.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;  // empty when missing
  bool Exists(const std::string& name) const;

 private:
  testsupport::TempDir m_directory;
  std::filesystem::path m_previous;
};

// The desktop as a main dialog under test sees it: the system's, except where
// a test makes it answer as Windows 10/11 may; it remembers what it was asked.
class TestDesktop : public Desktop {
 public:
  TestDesktop();
  ~TestDesktop() override;
  bool SetForegroundWindow(HWND window) override;
  bool NotifyIcon(DWORD message, NOTIFYICONDATAW& data) override;
  bool RegisterHotKey(HWND window, int id, UINT modifiers, UINT virtualKey) override;
  void UnregisterHotKey(HWND window, int id) override;
  UINT VirtualKeyOfScanCode(UINT scanCode) override;
  void AllowMessageFromLowerIntegrity(HWND window, UINT message) override;

  bool refuseForeground = false;  // as the foreground lock does while the user works in another program
  // As the foreground lock does when the user's key press went to another
  // program: granted only to the thread handling the WM_HOTKEY it registered.
  bool foregroundOnlyAtHotKey = false;
  int iconCallsToRefuse = 0;           // as the shell does at logon, before the taskbar is ready
  int iconAdds = 0;                    // NIM_ADD calls so far
  UINT iconVersion = 0;                // asked for with NIM_SETVERSION
  NOTIFYICONDATAW record{};            // the record of the last call that was not a balloon
  std::vector<std::wstring> balloons;  // the texts of the balloons shown
  bool refuseHotKeys = false;          // as when another program holds the combination
  UINT layoutKey = 0;                  // the layout's key for a scan code; 0: the system's answer
  std::vector<UINT> hotKeys;           // the virtual keys registered now
  std::set<UINT> allowedMessages;      // let through from lower integrity
  int foregroundCalls = 0;             // windows brought to the front so far

 private:
  HHOOK m_hook;
};

// Another program's window, shown in front over `area` of the screen until the object goes.
class OtherProgramWindow {
 public:
  explicit OtherProgramWindow(const RECT& area);
  ~OtherProgramWindow();
  OtherProgramWindow(const OtherProgramWindow&) = delete;
  OtherProgramWindow& operator=(const OtherProgramWindow&) = delete;
  HWND Window() const { return m_window; }

 private:
  PROCESS_INFORMATION m_process{};
  HWND m_window = nullptr;
};

// Holds the clipboard open from another thread for `ms` milliseconds, as
// clipboard history does after a copy; returns once it is held.
class ClipboardHeldBriefly {
 public:
  explicit ClipboardHeldBriefly(int ms);
  ~ClipboardHeldBriefly();
  ClipboardHeldBriefly(const ClipboardHeldBriefly&) = delete;
  ClipboardHeldBriefly& operator=(const ClipboardHeldBriefly&) = delete;

 private:
  HANDLE m_thread = nullptr;
};

// The result window the main dialog `mainDialog` owns, found as any program
// could: a dialog titled "Vocapop"; null when there is none.
HWND ResultWindowOf(HWND mainDialog);

}  // namespace gui_test
