#include "result/registration_failure_box.h"

#include <string>

#include "framework/code_page.h"
#include "rows/registration_message.h"

namespace {

constexpr wchar_t kCaption[] = L"Lexmoor";

// The system's own text for `code`, in Japanese where the system has it,
// otherwise in the user's language; empty when it has none.
std::wstring SystemReason(DWORD code) {
  if (code == 0) return {};
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  wchar_t text[512];
  DWORD length = ::FormatMessageW(flags, nullptr, code, MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), text,
                                  sizeof text / sizeof *text, nullptr);
  if (length == 0)
    length = ::FormatMessageW(flags, nullptr, code, 0, text, sizeof text / sizeof *text, nullptr);
  std::wstring reason(text, length);
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' ')) {
    reason.pop_back();
  }
  return reason.empty() ? reason : reason + L" (" + std::to_wstring(code) + L")";
}

// `path` (in the ANSI code page, as the files were opened) made full.
std::wstring FullPath(const std::string& path) {
  const std::wstring given = fw::ToUnicode(path, CP_ACP);
  const DWORD size = ::GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
  if (size == 0) return given;
  std::wstring full(size, L'\0');
  const DWORD got = ::GetFullPathNameW(given.c_str(), size, full.data(), nullptr);
  if (got == 0 || got >= size) return given;
  full.resize(got);
  return full;
}

}  // namespace

void ShowRegistrationFailure(HWND owner, const rows::RegisterOutcome& outcome) {
  const std::string text =
      rows::RegistrationFailureText(outcome, fw::FromUnicode(FullPath(outcome.refused.path), CP_UTF8),
                                    fw::FromUnicode(SystemReason(outcome.refused.error.code), CP_UTF8));
  const UINT icon =
      outcome.status == rows::RegisterStatus::kRowNotFound ? MB_ICONINFORMATION : MB_ICONWARNING;
  ::MessageBoxW(owner, fw::ToUnicode(text, CP_UTF8).c_str(), kCaption, MB_OK | icon);
}
