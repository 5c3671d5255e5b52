// A stdio stream that reads a file the way the Windows C runtime reads one
// opened with "rt": CR LF reads as LF, Ctrl+Z ends the file, a lone CR stays.
// For the literal reference, which must run fgets on exactly that view.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace lookup::reference {

// Opens `path` in text mode; nullptr when it can't be opened. Close with fclose.
std::FILE* OpenTextMode(const std::string& path);

// The same over raw file bytes in memory, which must outlive the stream.
std::FILE* OpenTextMode(std::string_view raw);

}  // namespace lookup::reference
