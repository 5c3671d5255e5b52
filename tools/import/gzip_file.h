// Reads a whole gzip file (a dictd .dict.dz is one) through zlib.
#pragma once

#include <string>

namespace import {

// The file as stored, byte for byte. Throws ImportError naming `path` when it
// can't be read.
std::string ReadWholeFile(const std::string& path);

// The decompressed contents of the gzip file at `path`. Throws ImportError
// naming `path` when it can't be read, is not gzip data, is truncated or fails
// its checksum.
std::string ReadGzipFile(const std::string& path);

}  // namespace import
