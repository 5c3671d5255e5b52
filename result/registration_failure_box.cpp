#include "result/registration_failure_box.h"

#include <string>

#include "framework/code_page.h"
#include "framework/system_text.h"
#include "rows/registration_message.h"

namespace {
constexpr wchar_t kCaption[] = L"Lexmoor";
}  // namespace

void ShowRegistrationFailure(HWND owner, const rows::RegisterOutcome& outcome) {
  // The files were opened by their names in the ANSI code page.
  const std::wstring path = fw::FullPath(fw::ToUnicode(outcome.refused.path, CP_ACP));
  const std::string text =
      rows::RegistrationFailureText(outcome, fw::FromUnicode(path, CP_UTF8),
                                    fw::FromUnicode(fw::SystemReason(outcome.refused.error.code), CP_UTF8));
  const UINT icon =
      outcome.status == rows::RegisterStatus::kRowNotFound ? MB_ICONINFORMATION : MB_ICONWARNING;
  ::MessageBoxW(owner, fw::ToUnicode(text, CP_UTF8).c_str(), kCaption, MB_OK | icon);
}
