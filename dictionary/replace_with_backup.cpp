#include "dictionary/replace_with_backup.h"

#include <memory>
#include <vector>

namespace dictionary {
namespace {

constexpr std::size_t kCopyBlock = 64 * 1024;

class Replacement {
 public:
  Replacement(FileSystem& files, const DictionaryPaths& paths, RetryPause& pause)
      : files_(files), paths_(paths), retry_(files, pause) {}

  std::optional<FileFailure> Run() {
    if (files_.Exists(paths_.dictionary)) {
      if (std::optional<FileFailure> failure = StageBackup()) return failure;
      if (!PutInPlace(paths_.stagedBackup, paths_.backup)) {
        const FileFailure failure = retry_.Refused();
        Remove(paths_.stagedBackup);
        return failure;
      }
      // A backup left by a run killed before the dictionary was replaced is the
      // dictionary itself; renaming a second name over it may keep both names.
      if (files_.Exists(paths_.stagedBackup)) files_.Remove(paths_.stagedBackup);
    }
    if (!PutInPlace(paths_.work, paths_.dictionary)) return retry_.Refused();
    return std::nullopt;
  }

 private:
  // Gives the dictionary its second name, the backup's, without moving it away.
  std::optional<FileFailure> StageBackup() {
    if (files_.Exists(paths_.stagedBackup)) Remove(paths_.stagedBackup);  // left by an interrupted run
    // A second name of a file that another program holds without delete
    // sharing could be neither renamed nor removed until it lets go.
    const PathFacts dictionary = files_.Inspect(paths_.dictionary);
    const bool held = dictionary.removal && dictionary.removal->Held();
    if (!held && retry_.Change(
                     paths_.stagedBackup, [&] { return files_.Link(paths_.dictionary, paths_.stagedBackup); },
                     paths_.dictionary)) {
      return std::nullopt;
    }
    std::optional<FileFailure> failure = CopyFlushed(paths_.dictionary, paths_.stagedBackup);
    if (failure) Remove(paths_.stagedBackup);
    return failure;
  }

  // A copy of `from` at `to`, on the disk before it counts as made.
  std::optional<FileFailure> CopyFlushed(const std::string& from, const std::string& to) {
    const std::unique_ptr<ByteSource> input = retry_.Read(from, [&] { return files_.OpenForRead(from); });
    if (!input) return retry_.Refused();
    const std::unique_ptr<OutputFile> output = retry_.Change(to, [&] { return files_.CreateWorkFile(to); });
    if (!output) return retry_.Refused();
    std::vector<char> block(kCopyBlock);
    for (;;) {
      const std::ptrdiff_t got = input->Read(block.data(), block.size());
      if (got < 0) return FileFailure{from, files_.LastError()};
      if (got == 0) break;
      if (!output->Write(block.data(), static_cast<std::size_t>(got)))
        return FileFailure{to, files_.LastError()};
    }
    if (!output->Sync()) return FileFailure{to, files_.LastError()};
    return std::nullopt;
  }

  // Puts `from` in place of `to`: over programs reading `to` where the system
  // can, otherwise by a plain rename, which they refuse.
  bool PutInPlace(const std::string& from, const std::string& to) {
    return retry_.Change(
        to,
        [&] {
          if (overOpenFiles_) {
            if (files_.RenameOverOpenFile(from, to)) return true;
            if (files_.LastError().reason != Refusal::kUnsupported) return false;
            overOpenFiles_ = false;
          }
          return files_.Rename(from, to);
        },
        from);
  }

  void Remove(const std::string& path) {
    retry_.Change(path, [&] { return files_.Remove(path); });
  }

  FileSystem& files_;
  const DictionaryPaths& paths_;
  HeldFileRetry retry_;
  bool overOpenFiles_ = true;  // until the system says it can't
};

}  // namespace

std::optional<FileFailure> ReplaceWithBackup(FileSystem& files, const DictionaryPaths& paths,
                                             RetryPause& pause) {
  return Replacement(files, paths, pause).Run();
}

}  // namespace dictionary
