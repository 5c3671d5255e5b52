// Files for the import tests: the shared temporary folder, byte-exact reads and gzip.
#pragma once

#include <zlib.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace import_test {

inline const std::string kFixtures = IMPORT_FIXTURES;

using testsupport::TempDir;

// The file's bytes; empty when it can't be read.
inline std::string ReadBytes(const std::string& path) { return testsupport::ReadWholeFile(path).value_or(""); }

inline void WriteBytes(const std::string& path, const std::string& bytes) { testsupport::WriteWholeFile(path, bytes); }

// `bytes` as a gzip file, as dictd's .dict.dz holds them.
inline std::string Gzip(const std::string& bytes) {
  z_stream z{};
  deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, bytes.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  z.avail_in = static_cast<uInt>(bytes.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

}  // namespace import_test
