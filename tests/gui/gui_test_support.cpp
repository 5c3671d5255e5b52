#include "tests/gui/gui_test_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

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
  g_body = body;
  g_dialog = &dialog;
  ::SetTimer(nullptr, 0, 1, &RunBody);
  const INT_PTR result = dialog.DoModal();
  g_body = nullptr;
  g_dialog = nullptr;
  return result;
}

namespace {
// Handles the messages waiting in the queue without blocking, as the program's
// loops would; a WM_QUIT is posted again for the loop that owns it.
void PumpWaitingMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
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

std::string WindowText(HWND hWnd) {
  const int length = ::GetWindowTextLengthA(hWnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(::GetWindowTextA(hWnd, text.data(), length + 1)));
  return text;
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
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!block) return false;
  char* data = static_cast<char*>(::GlobalLock(block));
  std::copy(text.begin(), text.end(), data);
  data[text.size()] = '\0';
  ::GlobalUnlock(block);
  if (!OpenAndEmptyClipboard()) {
    ::GlobalFree(block);
    return false;
  }
  const bool set = ::SetClipboardData(CF_TEXT, block) != nullptr;
  ::CloseClipboard();
  if (!set) ::GlobalFree(block);
  WaitUntilClipboardIsFree();
  return set;
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

void SendLeftButton(bool up) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
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

HeldLeftButton::HeldLeftButton() { SendLeftButton(false); }
HeldLeftButton::~HeldLeftButton() { SendLeftButton(true); }

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

bool TestDesktop::SetForegroundWindow(HWND window) {
  ++foregroundCalls;
  return !refuseForeground && SystemDesktop().SetForegroundWindow(window);
}

bool TestDesktop::NotifyIcon(DWORD message, NOTIFYICONDATAA& data) {
  record = data;
  if (message == NIM_ADD) ++iconAdds;
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
