#include "framework/system_text.h"

namespace fw {

std::wstring FullPath(const std::wstring& path) {
  const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return full;
}

std::wstring SystemReason(DWORD code) {
  if (code == 0) return {};
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  wchar_t text[512];
  DWORD length = ::FormatMessageW(flags, nullptr, code, MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), text,
                                  sizeof text / sizeof *text, nullptr);
  if (length == 0) length = ::FormatMessageW(flags, nullptr, code, 0, text, sizeof text / sizeof *text, nullptr);
  std::wstring reason(text, length);
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
    reason.pop_back();
  return reason.empty() ? reason : reason + L" (" + std::to_wstring(code) + L")";
}

}  // namespace fw
