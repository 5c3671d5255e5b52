// A registering process that can be killed at a chosen step: it registers the
// pronunciation "x" for the row "run TAB fast" in the RAdoro.txt of DIRECTORY
// and, once its file operations have taken STEPS steps, says which step it
// stopped after and waits to be killed. With fewer steps it finishes. A rename
// over open files is done (as a plain one) with "over-open", unsupported with "plain".
//   register_and_stop DIRECTORY STEPS over-open|plain
// Prints one line: "stopped after <operation> <file>" or "done".
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "dictionary/native_file_system.h"
#include "rows/dictionary_rewrite.h"

namespace {

std::string FileName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Counts every operation that changes something on disk and stops the
// process after the chosen one.
class StoppingFileSystem final : public dictionary::FileSystem {
 public:
  StoppingFileSystem(int stopAfter, bool overOpen) : stopAfter_(stopAfter), overOpen_(overOpen) {}

  std::unique_ptr<dictionary::ByteSource> OpenForRead(const std::string& path) override {
    return files_.OpenForRead(path);
  }
  std::unique_ptr<dictionary::OutputFile> CreateWorkFile(const std::string& path) override {
    std::unique_ptr<dictionary::OutputFile> file = files_.CreateWorkFile(path);
    Step("CreateWorkFile " + FileName(path));
    if (!file) return nullptr;
    return std::make_unique<StoppingOutputFile>(std::move(file), *this, FileName(path));
  }
  bool Exists(const std::string& path) override { return files_.Exists(path); }
  bool Link(const std::string& existing, const std::string& link) override {
    const bool done = files_.Link(existing, link);
    Step("Link " + FileName(existing) + " " + FileName(link));
    return done;
  }
  bool Rename(const std::string& from, const std::string& to) override {
    unsupported_ = false;
    const bool done = files_.Rename(from, to);
    Step("Rename " + FileName(from) + " " + FileName(to));
    return done;
  }
  bool RenameOverOpenFile(const std::string& from, const std::string& to) override {
    unsupported_ = !overOpen_;
    if (unsupported_) return false;
    const bool done = files_.Rename(from, to);
    Step("Replace " + FileName(from) + " " + FileName(to));
    return done;
  }
  bool Remove(const std::string& path) override {
    const bool done = files_.Remove(path);
    Step("Remove " + FileName(path));
    return done;
  }
  dictionary::PathFacts Inspect(const std::string& path) override { return files_.Inspect(path); }
  std::optional<dictionary::FileError> ProbeFolder(const std::string& path) override {
    return files_.ProbeFolder(path);
  }
  dictionary::FileError LastError() const override {
    return unsupported_ ? dictionary::FileError{0, dictionary::Refusal::kUnsupported} : files_.LastError();
  }

  void Step(const std::string& name) {
    if (++steps_ != stopAfter_) return;
    std::printf("stopped after %s\n", name.c_str());
    std::fflush(stdout);
    for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
  }

 private:
  class StoppingOutputFile final : public dictionary::OutputFile {
   public:
    StoppingOutputFile(std::unique_ptr<dictionary::OutputFile> file, StoppingFileSystem& files,
                       std::string name)
        : file_(std::move(file)), files_(files), name_(std::move(name)) {}
    bool Write(const char* data, std::size_t size) override {
      const bool done = file_->Write(data, size);
      files_.Step("Write " + name_ + " (" + std::to_string(++writes_) + ")");
      return done;
    }
    bool Sync() override {
      const bool done = file_->Sync();
      files_.Step("Sync " + name_);
      return done;
    }

   private:
    std::unique_ptr<dictionary::OutputFile> file_;
    StoppingFileSystem& files_;
    std::string name_;
    int writes_ = 0;
  };

  int stopAfter_;
  bool overOpen_;
  bool unsupported_ = false;  // the last operation was the rename over open files
  int steps_ = 0;
  dictionary::NativeFileSystem files_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: register_and_stop DIRECTORY STEPS over-open|plain\n");
    return 2;
  }
  StoppingFileSystem files(std::atoi(argv[2]), std::string(argv[3]) == "over-open");
  const rows::RegisterOutcome outcome =
      rows::RegisterPronunciation("run\tfast", "x", files, dictionary::DictionaryPaths::In(argv[1]));
  std::printf("%s\n", outcome.Succeeded() ? "done" : "failed");
  return outcome.Succeeded() ? 0 : 1;
}
