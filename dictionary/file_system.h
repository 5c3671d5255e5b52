// The few file operations that writing a dictionary needs, behind an interface
// so the steps that use them stay portable and a test can make any one fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "dictionary/byte_source.h"

namespace dictionary {

// Why the system refused a file operation, as far as the user can act on it.
enum class Refusal {
  kOther,  // only the system's own text tells
  // Another program has the file open in a way that refuses the operation
  // (antivirus, the search indexer, a sync client): it usually lets go soon.
  kHeld,
  // Not allowed. Also how Windows refuses a file held without delete sharing,
  // a read-only file and a directory in the way: ExplainRefusal tells them apart.
  kAccessDenied,
  kReadOnly,  // a read-only file, or a drive that can't be written
  kDiskFull,
  kNotFound,     // the file, or the folder it should be in, isn't there
  kUnsupported,  // the system can't do this operation at all
};

// The system's answer to a refused file operation.
struct FileError {
  std::uint32_t code = 0;  // GetLastError() on Windows, errno elsewhere; 0 when the system gave none
  Refusal reason = Refusal::kOther;
  bool Held() const { return reason == Refusal::kHeld; }
};

// What stands at a path now, as a refused change of it needs to know.
struct PathFacts {
  bool directory = false;
  bool readOnly = false;  // the read-only attribute, or no write permission
  // The answer to opening it to be renamed or deleted, where the system has
  // sharing modes; none when that could be done.
  std::optional<FileError> removal;
};

// A refused step: the file it was refused for, and why.
struct FileFailure {
  std::string path;
  FileError error;
};

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
  virtual std::unique_ptr<ByteSource> OpenForRead(const std::string& path) = 0;
  // Creates `path`, or empties it if it exists. Null on failure.
  virtual std::unique_ptr<OutputFile> CreateWorkFile(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) = 0;
  // Gives the file `existing` the second name `link`, which must not exist.
  // False also where the volume has no hard links.
  virtual bool Link(const std::string& existing, const std::string& link) = 0;
  // Renames `from` to `to` in one step, replacing a file `to`: at every
  // instant `to` is the old file or the new one. True once the rename is
  // done, whether or not the directory has reached the disk yet. Where both
  // are names of one file, the system may keep both (POSIX rename, Wine).
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // Rename, except that `to` may be open in other programs, which go on
  // reading the file they opened (POSIX semantics). Refused as kUnsupported
  // where the system can't do that.
  virtual bool RenameOverOpenFile(const std::string& from, const std::string& to) = 0;
  virtual bool Remove(const std::string& path) = 0;
  virtual PathFacts Inspect(const std::string& path) = 0;
  // Why a new file can't be made in the folder of `path`; none when it can.
  // (It is made and removed again.)
  virtual std::optional<FileError> ProbeFolder(const std::string& path) = 0;
  // Why the last refused operation was refused: one of this object's, or a
  // read, write or sync of a file it opened (which must not outlive it).
  virtual FileError LastError() const = 0;
};

}  // namespace dictionary
