// The dictionary's file operations on Windows.
#pragma once

#include "result/file_system.h"

namespace rowaction {

class WindowsFileSystem final : public FileSystem {
 public:
  std::unique_ptr<lookup::ByteSource> OpenForRead(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateWorkFile(const std::string& path) override;
  // ReplaceFile with the backup name: the dictionary is swapped in one call.
  bool ReplaceWithBackup(const std::string& replaced, const std::string& replacement,
                         const std::string& backup) override;
  bool Remove(const std::string& path) override;
};

}  // namespace rowaction
