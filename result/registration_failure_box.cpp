#include "result/registration_failure_box.h"

#include <string>

#include "framework/code_page.h"

namespace {

constexpr wchar_t kCaption[] = L"Lexmoor";
constexpr wchar_t kNotRegistered[] = L"発音記号を登録できませんでした。辞書は元のままです。";
constexpr wchar_t kFileLabel[] = L"ファイル: ";
constexpr wchar_t kReasonLabel[] = L"理由: ";
constexpr wchar_t kUnknownReason[] = L"不明";
constexpr wchar_t kHeldAdvice[] =
    L"ほかのプログラムがこのファイルを使っています。しばらくしてから、もう一度 OK を押してください。";

// The system's own text for `code`: in Japanese where the system has it,
// otherwise in the user's language.
std::wstring SystemReason(DWORD code) {
  if (code == 0) return kUnknownReason;
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
  if (reason.empty()) reason = kUnknownReason;
  return reason + L" (" + std::to_wstring(code) + L")";
}

}  // namespace

void ShowRegistrationFailure(HWND owner, const dictionary::FileFailure& failure) {
  std::wstring text = kNotRegistered;
  text += L"\n\n";
  text += kFileLabel + fw::ToUnicode(failure.path, CP_ACP) + L"\n";
  text += kReasonLabel + SystemReason(failure.error.code);
  if (failure.error.held) text += L"\n\n" + std::wstring(kHeldAdvice);
  ::MessageBoxW(owner, text.c_str(), kCaption, MB_OK | MB_ICONWARNING);
}
