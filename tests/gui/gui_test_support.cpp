#include "tests/gui/gui_test_support.h"

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

void PumpFor(int ms) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
  for (;;) {
    fw::PumpWaitingMessages();
    const DWORD now = ::GetTickCount();
    if (static_cast<int>(end - now) <= 0) return;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
  }
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(timeoutMs);
  while (!done()) {
    fw::PumpWaitingMessages();
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

ScratchDirectory::ScratchDirectory() {
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  char name[MAX_PATH];
  ::GetTempFileNameA(temp, "lxm", 0, name);  // creates a file; a directory takes its name
  ::DeleteFileA(name);
  ::CreateDirectoryA(name, nullptr);
  m_path = name;
  char previous[MAX_PATH];
  ::GetCurrentDirectoryA(sizeof previous, previous);
  m_previous = previous;
  ::SetCurrentDirectoryA(m_path.c_str());
}

ScratchDirectory::~ScratchDirectory() {
  ::SetCurrentDirectoryA(m_previous.c_str());
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA((m_path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        ::DeleteFileA((m_path + "\\" + found.cFileName).c_str());
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryA(m_path.c_str());
}

void ScratchDirectory::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(m_path + "\\" + name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ScratchDirectory::Read(const std::string& name) const {
  std::ifstream in(m_path + "\\" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool ScratchDirectory::Exists(const std::string& name) const {
  return ::GetFileAttributesA((m_path + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace gui_test
