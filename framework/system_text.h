// What the system says about files and failures, as the user is to read it.
#pragma once

#include <string>

#include "framework/win32.h"

namespace fw {

// `path` made full against the working directory; as given when the system can't.
std::wstring FullPath(const std::wstring& path);

// The system's own words for error `code`, in Japanese where the system has
// them (otherwise in the user's language), with the code after them; empty
// for 0 or a code the system has no words for.
std::wstring SystemReason(DWORD code);

}  // namespace fw
