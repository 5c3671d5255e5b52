#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include "windows_drop.h"

#include <windows.h>

#include "dictionary/dictionary_paths.h"
#include "drop_import.h"
#include "drop_message.h"

namespace import {
namespace {

std::wstring Wide(UINT codePage, const std::string& text) {
  if (text.empty()) return {};
  const int n = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), n, nullptr, nullptr);
  return utf8;
}

// Paths and the system's messages come in the ANSI code page; the texts of
// a source (a headword named in a message) may already be UTF-8.
std::string ForDisplay(const std::string& text) {
  if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                            nullptr, 0) > 0)
    return text;
  return Utf8(Wide(CP_ACP, text));
}

// Explorer starts a console program in a console of its own, which would
// stand empty behind the message box: let it go. A console shared with the
// shell that started the program stays.
void LeaveOwnConsole() {
  if (HasOwnConsole()) ::FreeConsole();
}

void Tell(const std::string& message, UINT icon) {
  ::MessageBoxW(nullptr, Wide(CP_UTF8, message).c_str(), Wide(CP_UTF8, kDropBoxTitle).c_str(),
                MB_OK | icon | MB_SETFOREGROUND);
}

}  // namespace

std::string ProgramFolder() {
  constexpr DWORD kLongestPath = 32768;
  std::string path(kLongestPath, '\0');
  const DWORD n = ::GetModuleFileNameA(nullptr, path.data(), kLongestPath);
  path.resize(n < kLongestPath ? n : 0);
  return path.substr(0, path.find_last_of("\\/") + 1);  // none: the working directory
}

bool HasOwnConsole() {
  DWORD processes[2];
  return ::GetConsoleWindow() && ::GetConsoleProcessList(processes, 2) == 1;
}

int RunDroppedFiles(const std::vector<std::string>& files) {
  LeaveOwnConsole();
  if (files.size() != 1) {
    Tell(files.empty() ? HowToDrop() : OneFileAtATime(files.size()), MB_ICONINFORMATION);
    return 2;
  }
  const std::string folder = ProgramFolder();
  const DropOutcome outcome =
      ImportDroppedFile(files[0], folder + dictionary::kDictionaryFile, ForDisplay, FormOptions::Packaged(folder));
  Tell(outcome.message, outcome.succeeded ? MB_ICONINFORMATION : MB_ICONERROR);
  return outcome.succeeded ? 0 : 1;
}

}  // namespace import
