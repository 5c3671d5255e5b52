#include <unistd.h>

#include <cstring>

#include "platform.h"

namespace import {

std::string SystemErrorText(const dictionary::FileError& error) {
  return error.code ? std::strerror(static_cast<int>(error.code)) : "the system gave no reason";
}

bool StderrShowsProgress() { return isatty(STDERR_FILENO) == 1; }

}  // namespace import
