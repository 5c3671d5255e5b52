#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "platform.h"

namespace import {

std::string SystemErrorText(const dictionary::FileError& error) {
  std::string text = "error " + std::to_string(error.code);
  char buffer[512];
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  DWORD length = ::FormatMessageA(flags, nullptr, error.code, 0, buffer, sizeof buffer, nullptr);
  while (length > 0 &&
         (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' || buffer[length - 1] == ' '))
    --length;
  if (length > 0) text = std::string(buffer, length) + " (" + text + ")";
  if (error.Held()) text += "; another program has the file open";
  return text;
}

// The progress line is redrawn with a terminal's control sequences, which a
// console takes only when asked to (Windows 10 and later).
bool StderrShowsProgress() {
  const HANDLE stderrHandle = ::GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  return stderrHandle != INVALID_HANDLE_VALUE && ::GetConsoleMode(stderrHandle, &mode) &&
         ::SetConsoleMode(stderrHandle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

}  // namespace import
