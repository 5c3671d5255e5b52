#include "tests/gui/gui_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "framework/code_page.h"
#include "framework/message_loop.h"

namespace gui_test {

namespace {
std::function<void()> g_body;
CDialog* g_dialog = nullptr;

void CALLBACK RunBody(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  CDialog* dialog = g_dialog;
  g_body();
  if (dialog->ContinueModal()) dialog->EndDialog(IDCANCEL);
}
}  // namespace

INT_PTR RunModal(CDialog& dialog, const std::function<void()>& body) {
  bool ran = false;
  g_body = [&] {
    ran = true;
    body();
  };
  g_dialog = &dialog;
  ::SetTimer(nullptr, 0, 1, &RunBody);
  const INT_PTR result = dialog.DoModal();
  EXPECT_TRUE(ran) << "the dialog ended before its modal loop ran; DoModal gave " << result;
  g_body = nullptr;
  g_dialog = nullptr;
  return result;
}

namespace {
// Handles the messages waiting in the queue without blocking, as the program's
// loops would; a WM_QUIT is posted again for the loop that owns it.
void PumpWaitingMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    fw::DispatchLoopMessage(msg);
  }
}
}  // namespace

void PumpFor(int ms) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
  for (;;) {
    PumpWaitingMessages();
    const DWORD now = ::GetTickCount();
    if (static_cast<int>(end - now) <= 0) return;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
  }
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(timeoutMs);
  while (!done()) {
    PumpWaitingMessages();
    if (done()) return true;
    const DWORD now = ::GetTickCount();
    if (static_cast<int>(end - now) <= 0) return done();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

void PostKey(HWND target, UINT virtualKey) {
  const UINT scan = ::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  ::PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  ::PostMessageA(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
}

namespace {
std::string ToCp932(const std::wstring& text) { return fw::FromUnicode(text, 932); }
}  // namespace

std::string WindowText(HWND hWnd) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hWnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(hWnd, text.data(), static_cast<int>(text.size()))));
  return ToCp932(text);
}

std::string RowText(HWND list, int index) {
  std::wstring row(static_cast<size_t>(::SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
  row.resize(
      static_cast<size_t>(::SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(row.data()))));
  return ToCp932(row);
}

std::string Cp932(const char* utf8) {
  const int wide = ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring text(static_cast<size_t>(wide), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), wide);
  const int narrow = ::WideCharToMultiByte(932, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(narrow), '\0');
  ::WideCharToMultiByte(932, 0, text.c_str(), -1, result.data(), narrow, nullptr, nullptr);
  result.resize(result.size() - 1);  // the terminating NUL
  return result;
}

std::string ClassName(HWND hWnd) {
  char name[256] = {};
  ::GetClassNameA(hWnd, name, sizeof name);
  return name;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

namespace {
// The clipboard's owner while a test puts something there.
HWND ClipboardOwner() {
  static HWND owner = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        ::GetModuleHandleA(nullptr), nullptr);
  return owner;
}

}  // namespace

void WaitUntilClipboardIsFree() {
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (::OpenClipboard(nullptr)) {
      ::CloseClipboard();
      return;
    }
    ::Sleep(10);
  }
}

namespace {
bool OpenAndEmptyClipboard() {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (::OpenClipboard(ClipboardOwner())) return ::EmptyClipboard() != FALSE;
    ::Sleep(10);
  }
  return false;
}
}  // namespace

bool SetClipboardText(const std::string& text) {
  const std::wstring wide = fw::ToUnicode(text, 932);
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
  if (!block) return false;
  auto* data = static_cast<wchar_t*>(::GlobalLock(block));
  std::copy(wide.begin(), wide.end(), data);
  data[wide.size()] = L'\0';
  ::GlobalUnlock(block);
  if (!OpenAndEmptyClipboard()) {
    ::GlobalFree(block);
    return false;
  }
  const bool set = ::SetClipboardData(CF_UNICODETEXT, block) != nullptr;
  ::CloseClipboard();
  if (!set) ::GlobalFree(block);
  WaitUntilClipboardIsFree();
  return set;
}

std::string ClipboardText() {
  std::wstring text;
  WaitUntilClipboardIsFree();
  if (!::OpenClipboard(nullptr)) return "<clipboard busy>";
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) text = chars;
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return ToCp932(text);
}

bool SetClipboardPicture() {
  HDC screen = ::GetDC(nullptr);
  HBITMAP picture = ::CreateCompatibleBitmap(screen, 8, 8);
  ::ReleaseDC(nullptr, screen);
  if (!picture || !OpenAndEmptyClipboard()) return false;
  const bool set = ::SetClipboardData(CF_BITMAP, picture) != nullptr;
  ::CloseClipboard();
  WaitUntilClipboardIsFree();
  return set;
}

bool SetClipboardTextWithoutData() {
  // Delayed rendering by an owner that never renders: the text is announced, no data comes.
  if (!OpenAndEmptyClipboard()) return false;
  ::SetClipboardData(CF_TEXT, nullptr);
  ::CloseClipboard();
  WaitUntilClipboardIsFree();
  return ::IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}

namespace {
void SendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &input, sizeof input);
}

}  // namespace

HeldKeys::HeldKeys(std::vector<WORD> keys) : m_keys(std::move(keys)) {
  for (WORD key : m_keys) SendKey(key, false);
}

void HeldKeys::Release() {
  for (auto key = m_keys.rbegin(); key != m_keys.rend(); ++key) SendKey(*key, true);
  m_keys.clear();
}

int RunProgram(const std::string& commandLine, std::string* output) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return -1;
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  std::string line = commandLine;
  const BOOL started =
      ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  ::CloseHandle(writeEnd);
  if (!started) {
    ::CloseHandle(readEnd);
    return -1;
  }
  // The program may send messages to this thread's windows: keep handling them.
  PumpUntil([&] { return ::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, 20000);
  DWORD exitCode = static_cast<DWORD>(-1);
  ::GetExitCodeProcess(process.hProcess, &exitCode);
  std::string text;
  char buffer[512];
  DWORD got = 0;
  while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  if (output) *output = text;
  ::CloseHandle(readEnd);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return static_cast<int>(exitCode);
}

std::string BuiltProgram(const std::string& relativePath) {
  char self[MAX_PATH];
  ::GetModuleFileNameA(nullptr, self, sizeof self);
  std::string path = self;
  path.resize(path.find_last_of('\\') + 1);  // tests\gui\ of the build tree
  return path + "..\\..\\" + relativePath;
}

ScratchDirectory::ScratchDirectory() : m_previous(std::filesystem::current_path()) {
  std::filesystem::current_path(m_directory.Path());
}

ScratchDirectory::~ScratchDirectory() { std::filesystem::current_path(m_previous); }

void ScratchDirectory::Write(const std::string& name, const std::string& bytes) const {
  testsupport::WriteWholeFile(m_directory.File(name), bytes);
}

std::string ScratchDirectory::Read(const std::string& name) const {
  return testsupport::ReadWholeFile(m_directory.File(name)).value_or("");
}

bool ScratchDirectory::Exists(const std::string& name) const {
  return std::filesystem::exists(m_directory.File(name));
}

namespace {
// The message this thread took from its queue last.
UINT g_lastTaken = 0;
LRESULT CALLBACK RememberTaken(int code, WPARAM removed, LPARAM message) {
  if (code == HC_ACTION && removed == PM_REMOVE) g_lastTaken = reinterpret_cast<const MSG*>(message)->message;
  return ::CallNextHookEx(nullptr, code, removed, message);
}
}  // namespace

TestDesktop::TestDesktop()
    : m_hook(::SetWindowsHookExW(WH_GETMESSAGE, &RememberTaken, nullptr, ::GetCurrentThreadId())) {}

TestDesktop::~TestDesktop() {
  if (m_hook) ::UnhookWindowsHookEx(m_hook);
}

bool TestDesktop::SetForegroundWindow(HWND window) {
  ++foregroundCalls;
  if (refuseForeground || (foregroundOnlyAtHotKey && g_lastTaken != WM_HOTKEY)) return false;
  return SystemDesktop().SetForegroundWindow(window);
}

bool TestDesktop::RegisterHotKey(HWND window, int id, UINT modifiers, UINT virtualKey) {
  if (refuseHotKeys || !SystemDesktop().RegisterHotKey(window, id, modifiers, virtualKey)) return false;
  hotKeys.push_back(virtualKey);
  return true;
}

void TestDesktop::UnregisterHotKey(HWND window, int id) {
  SystemDesktop().UnregisterHotKey(window, id);
  hotKeys.clear();
}

UINT TestDesktop::VirtualKeyOfScanCode(UINT scanCode) {
  return layoutKey ? layoutKey : SystemDesktop().VirtualKeyOfScanCode(scanCode);
}

void TestDesktop::AllowMessageFromLowerIntegrity(HWND window, UINT message) {
  allowedMessages.insert(message);
  SystemDesktop().AllowMessageFromLowerIntegrity(window, message);
}

bool TestDesktop::NotifyIcon(DWORD message, NOTIFYICONDATAW& data) {
  if (data.uFlags & NIF_INFO)
    balloons.push_back(data.szInfo);
  else
    record = data;
  if (message == NIM_ADD) ++iconAdds;
  if (message == NIM_SETVERSION) iconVersion = data.uVersion;
  if (iconCallsToRefuse > 0) {
    --iconCallsToRefuse;
    return false;
  }
  return SystemDesktop().NotifyIcon(message, data);
}

namespace {
constexpr char kOtherProgramTitle[] = "lexmoor-poke cover";
}  // namespace

OtherProgramWindow::OtherProgramWindow(const RECT& area) {
  std::string line = "\"" + BuiltProgram("tools\\win\\lexmoor-poke.exe") + "\" cover " +
                     std::to_string(area.left) + " " + std::to_string(area.top) + " " +
                     std::to_string(area.right) + " " + std::to_string(area.bottom);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &m_process)) {
    return;
  }
  PumpUntil([&] {
    m_window = ::FindWindowA(nullptr, kOtherProgramTitle);
    return m_window && ::IsWindowVisible(m_window);
  });
}

OtherProgramWindow::~OtherProgramWindow() {
  if (!m_process.hProcess) return;
  if (m_window) ::PostMessageA(m_window, WM_CLOSE, 0, 0);
  if (!PumpUntil([&] { return ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0; })) {
    ::TerminateProcess(m_process.hProcess, 1);
  }
  ::CloseHandle(m_process.hThread);
  ::CloseHandle(m_process.hProcess);
}

namespace {
struct ClipboardHold {
  int ms;
  HANDLE held;
};

DWORD WINAPI HoldClipboard(void* parameter) {
  auto* hold = static_cast<ClipboardHold*>(parameter);
  const int ms = hold->ms;
  // Opened for a window: Wine lets a process reopen a clipboard it opened without one.
  HWND owner = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  const BOOL opened = ::OpenClipboard(owner);
  ::SetEvent(hold->held);
  if (opened) {
    ::Sleep(static_cast<DWORD>(ms));
    ::CloseClipboard();
  }
  ::DestroyWindow(owner);
  return opened ? 0 : 1;
}
}  // namespace

ClipboardHeldBriefly::ClipboardHeldBriefly(int ms) {
  ClipboardHold hold{ms, ::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  m_thread = ::CreateThread(nullptr, 0, &HoldClipboard, &hold, 0, nullptr);
  // Handling messages meanwhile: the new thread's window may send some to this thread's.
  if (m_thread) PumpUntil([&] { return ::WaitForSingleObject(hold.held, 0) == WAIT_OBJECT_0; });
  ::CloseHandle(hold.held);
}

ClipboardHeldBriefly::~ClipboardHeldBriefly() {
  if (!m_thread) return;
  PumpUntil([&] { return ::WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0; });
  ::CloseHandle(m_thread);
}

HWND ResultWindowOf(HWND mainDialog) {
  HWND window = nullptr;
  while ((window = ::FindWindowExA(nullptr, window, MAKEINTATOM(0x8002), "Vocapop"))) {
    if (::GetWindow(window, GW_OWNER) == mainDialog) return window;
  }
  return nullptr;
}

}  // namespace gui_test
