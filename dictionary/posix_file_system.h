// The dictionary's file operations on a POSIX system.
#pragma once

#include "dictionary/file_system.h"

namespace dictionary {

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<ByteSource> OpenForRead(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateWorkFile(const std::string& path) override;
  bool Exists(const std::string& path) override;
  bool Link(const std::string& existing, const std::string& link) override;
  // rename(), then the directory is synced so the new name survives a crash.
  bool Rename(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  FileError LastError() const override { return last_; }

 private:
  FileError last_;
};

}  // namespace dictionary
