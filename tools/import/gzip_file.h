// Reads whole files, gzip files (a dictd .dict.dz is one) through zlib.
#pragma once

#include <string>

namespace import {

// The file as stored, byte for byte. Throws ImportError naming `path` when it
// can't be read.
std::string ReadWholeFile(const std::string& path);

bool FileExists(const std::string& path);

// The decompressed contents of the gzip file at `path`. Throws ImportError
// naming `path` when it can't be read, is not gzip data, is truncated or fails
// its checksum.
std::string ReadGzipFile(const std::string& path);

// A source file's bytes: decompressed when they are gzip data (a ".gz" or
// ".dz" text), as stored otherwise. Throws ImportError as the two above.
std::string ReadSourceFile(const std::string& path);

}  // namespace import
