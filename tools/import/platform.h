// What the importer asks of the system it runs on (posix_platform.cpp,
// windows_platform.cpp).
#pragma once

#include <string>

#include "dictionary/file_system.h"

namespace import {

// The system's own words for a refused file operation, for a message:
// strerror() on POSIX systems, FormatMessage() on Windows (in the ANSI code
// page). A file another program holds says so.
std::string SystemErrorText(const dictionary::FileError& error);

// Whether standard error is a terminal that can redraw a line of progress.
bool StderrShowsProgress();

}  // namespace import
