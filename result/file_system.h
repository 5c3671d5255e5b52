// The few file operations a dictionary rewrite needs, behind an interface so the
// rewrite stays portable and a test can make any one of them fail.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "lookup/byte_source.h"

namespace rowaction {

// A new, empty file being written. Closed by its destructor.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Writes all `size` bytes or reports failure (a full disk may have taken some).
  virtual bool Write(const char* data, std::size_t size) = 0;
  // Puts everything written so far on the disk.
  virtual bool Sync() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The file read from its first byte, closed by its destructor. Null when
  // the file can't be opened.
  virtual std::unique_ptr<lookup::ByteSource> OpenForRead(const std::string& path) = 0;
  // Creates `path`, or empties it if it exists. Null on failure.
  virtual std::unique_ptr<OutputFile> CreateWorkFile(const std::string& path) = 0;
  // Makes `replacement` the file `replaced` in one step and keeps the previous
  // `replaced` as `backup` (an earlier backup is dropped). `replaced` exists
  // whole throughout. On failure `replaced` is left as it was and `replacement`
  // may remain.
  virtual bool ReplaceWithBackup(const std::string& replaced, const std::string& replacement,
                                 const std::string& backup) = 0;
  virtual bool Remove(const std::string& path) = 0;
};

}  // namespace rowaction
