// Bytes in a code page to Unicode text and back, by explicit length: a lone
// lead byte at the end is never joined with whatever follows it in memory.
#pragma once

#include <string>
#include <string_view>

#include "framework/win32.h"

namespace fw {

// The code page of the program's byte strings (CString), whatever the
// system's: every text is converted to and from it explicitly where it meets
// a window or the clipboard, which take Unicode.
inline constexpr UINT kStringCodePage = 932;

std::wstring ToUnicode(std::string_view bytes, UINT codePage);
// Characters the code page lacks become its default character.
std::string FromUnicode(std::wstring_view text, UINT codePage);

}  // namespace fw
