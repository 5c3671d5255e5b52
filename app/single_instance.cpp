#include "app/single_instance.h"

#include "res/private_messages.h"
#include "res/resource.h"

namespace {
// "Local\": one per sign-in session.
constexpr wchar_t kMutexName[] = L"Local\\Lexmoor.SingleInstance";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kMainDialogTitle[] = L"" MAIN_DIALOG_TITLE;
constexpr DWORD kWaitForDialogMs = 5000;
constexpr DWORD kPollMs = 50;
}  // namespace

SingleInstance::SingleInstance() : m_mutex(::CreateMutexW(nullptr, FALSE, kMutexName)) {
  const DWORD error = ::GetLastError();
  // An elevated first instance's mutex refuses a program of lower integrity
  // access: it runs all the same. Any other failure lets this one run.
  m_first = m_mutex ? error != ERROR_ALREADY_EXISTS : error != ERROR_ACCESS_DENIED;
}

SingleInstance::~SingleInstance() {
  if (m_mutex) ::CloseHandle(m_mutex);
}

void ShowRunningInstance() {
  for (DWORD waited = 0; waited < kWaitForDialogMs; waited += kPollMs) {
    if (HWND dialog = ::FindWindowW(kDialogClass, kMainDialogTitle)) {
      DWORD process = 0;
      ::GetWindowThreadProcessId(dialog, &process);
      // This program was started by the user and may hand its right to the foreground on.
      ::AllowSetForegroundWindow(process);
      ::PostMessageW(dialog, WM_SHOW_MAIN_DIALOG, 0, 0);
      return;
    }
    ::Sleep(kPollMs);
  }
}
