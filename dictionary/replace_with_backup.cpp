#include "dictionary/replace_with_backup.h"

#include <memory>
#include <vector>

#include "dictionary/held_file_retry.h"

namespace dictionary {
namespace {

constexpr std::size_t kCopyBlock = 64 * 1024;

// A copy of `from` at `to`, on the disk before it counts as made.
std::optional<FileFailure> CopyFlushed(FileSystem& files, const std::string& from, const std::string& to) {
  const std::unique_ptr<ByteSource> input = RetryWhileHeld(files, [&] { return files.OpenForRead(from); });
  if (!input) return FileFailure{from, files.LastError()};
  const std::unique_ptr<OutputFile> output = RetryWhileHeld(files, [&] { return files.CreateWorkFile(to); });
  if (!output) return FileFailure{to, files.LastError()};
  std::vector<char> block(kCopyBlock);
  for (;;) {
    const std::ptrdiff_t got = input->Read(block.data(), block.size());
    if (got < 0) return FileFailure{from, files.LastError()};
    if (got == 0) break;
    if (!output->Write(block.data(), static_cast<std::size_t>(got)))
      return FileFailure{to, files.LastError()};
  }
  if (!output->Sync()) return FileFailure{to, files.LastError()};
  return std::nullopt;
}

// Gives the dictionary its second name, the backup's, without moving it away.
std::optional<FileFailure> StageBackup(FileSystem& files, const DictionaryPaths& paths) {
  if (files.Exists(paths.stagedBackup)) {
    // Left by an interrupted run.
    RetryWhileHeld(files, [&] { return files.Remove(paths.stagedBackup); });
  }
  if (RetryWhileHeld(files, [&] { return files.Link(paths.dictionary, paths.stagedBackup); })) {
    return std::nullopt;
  }
  std::optional<FileFailure> failure = CopyFlushed(files, paths.dictionary, paths.stagedBackup);
  if (!failure) return std::nullopt;
  files.Remove(paths.stagedBackup);
  return failure;
}

}  // namespace

std::optional<FileFailure> ReplaceWithBackup(FileSystem& files, const DictionaryPaths& paths) {
  if (files.Exists(paths.dictionary)) {
    if (std::optional<FileFailure> failure = StageBackup(files, paths)) return failure;
    if (!RetryWhileHeld(files, [&] { return files.Rename(paths.stagedBackup, paths.backup); })) {
      const FileFailure failure{paths.backup, files.LastError()};
      files.Remove(paths.stagedBackup);
      return failure;
    }
    // A backup left by a run killed before the dictionary was replaced is the
    // dictionary itself; renaming a second name over it may keep both names.
    if (files.Exists(paths.stagedBackup)) files.Remove(paths.stagedBackup);
  }
  if (!RetryWhileHeld(files, [&] { return files.Rename(paths.work, paths.dictionary); })) {
    return FileFailure{paths.dictionary, files.LastError()};
  }
  return std::nullopt;
}

}  // namespace dictionary
