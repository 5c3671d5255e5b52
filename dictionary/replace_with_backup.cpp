#include "dictionary/replace_with_backup.h"

#include <memory>
#include <vector>

namespace dictionary {
namespace {

constexpr std::size_t kCopyBlock = 64 * 1024;

// A copy of `from` at `to`, on the disk before it counts as made.
bool CopyFlushed(FileSystem& files, const std::string& from, const std::string& to) {
  const std::unique_ptr<ByteSource> input = files.OpenForRead(from);
  if (!input) return false;
  const std::unique_ptr<OutputFile> output = files.CreateWorkFile(to);
  if (!output) return false;
  std::vector<char> block(kCopyBlock);
  for (;;) {
    const std::ptrdiff_t got = input->Read(block.data(), block.size());
    if (got < 0) return false;
    if (got == 0) return output->Sync();
    if (!output->Write(block.data(), static_cast<std::size_t>(got))) return false;
  }
}

}  // namespace

bool ReplaceWithBackup(FileSystem& files, const DictionaryPaths& paths) {
  if (files.Exists(paths.dictionary)) {
    files.Remove(paths.stagedBackup);  // left by an interrupted run
    if (!files.Link(paths.dictionary, paths.stagedBackup) &&
        !CopyFlushed(files, paths.dictionary, paths.stagedBackup)) {
      files.Remove(paths.stagedBackup);
      return false;
    }
    if (!files.Rename(paths.stagedBackup, paths.backup)) {
      files.Remove(paths.stagedBackup);
      return false;
    }
  }
  return files.Rename(paths.work, paths.dictionary);
}

}  // namespace dictionary
