// The dictionary's file operations on the platform the program is built for
// (posix_file_system.cpp, windows_file_system.cpp).
#pragma once

#include "dictionary/file_system.h"

namespace dictionary {

class NativeFileSystem final : public FileSystem {
 public:
  std::unique_ptr<ByteSource> OpenForRead(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateWorkFile(const std::string& path) override;
  bool Exists(const std::string& path) override;
  bool Link(const std::string& existing, const std::string& link) override;
  // Done and on the disk before it returns: rename() and a sync of the
  // directory on POSIX, MoveFileEx written through on Windows.
  bool Rename(const std::string& from, const std::string& to) override;
  // FileRenameInfoEx with POSIX semantics on Windows 10 1709 and later.
  bool RenameOverOpenFile(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  PathFacts Inspect(const std::string& path) override;
  std::optional<FileError> ProbeFolder(const std::string& path) override;
  FileError LastError() const override { return last_; }

 private:
  // The probe's name, beside the file whose folder it tries.
  static constexpr char kProbeSuffix[] = ".probe";

  FileError last_;
};

}  // namespace dictionary
