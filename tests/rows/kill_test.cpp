// A registering process killed after each step of the registration's file
// operations leaves the dictionary whole, old or new, and the next
// registration puts everything right.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "dictionary/native_file_system.h"
#include "rows/dictionary_rewrite.h"
#include "tests/rows/filler_dictionary.h"
#include "tests/support/temp_dir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace rows {
namespace {

using testsupport::ReadWholeFile;
using testsupport::TempDir;
using testsupport::WriteWholeFile;

// The registering process, with its first line of output.
class Registering {
 public:
  Registering(const std::string& directory, int steps, const std::string& path);
  ~Registering();
  Registering(const Registering&) = delete;
  Registering& operator=(const Registering&) = delete;

  // The first line it writes ("stopped after ..." or "done"); empty if it wrote none.
  std::string FirstLine();
  // Kills it where it stands and waits until it is gone.
  void Kill();

 private:
#ifdef _WIN32
  PROCESS_INFORMATION process_{};
  HANDLE output_ = nullptr;
#else
  pid_t pid_ = -1;
  int output_ = -1;
#endif
  bool running_ = false;
};

#ifdef _WIN32
std::string HelperProgram() {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  return (std::filesystem::path(self).parent_path() / "register_and_stop.exe").string();
}

Registering::Registering(const std::string& directory, int steps, const std::string& path) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&output_, &writeEnd, &inherit, 0)) return;
  SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::string line =
      "\"" + HelperProgram() + "\" \"" + directory + "\" " + std::to_string(steps) + " " + path;
  running_ =
      CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process_);
  CloseHandle(writeEnd);
}

Registering::~Registering() {
  if (running_) Kill();
  if (process_.hProcess) CloseHandle(process_.hProcess);
  if (process_.hThread) CloseHandle(process_.hThread);
  if (output_) CloseHandle(output_);
}

std::string Registering::FirstLine() {
  std::string line;
  char c;
  DWORD got = 0;
  while (ReadFile(output_, &c, 1, &got, nullptr) && got == 1 && c != '\n') {
    if (c != '\r') line += c;
  }
  return line;
}

void Registering::Kill() {
  if (!running_) return;
  TerminateProcess(process_.hProcess, 9);
  WaitForSingleObject(process_.hProcess, INFINITE);
  running_ = false;
}
#else
std::string HelperProgram() {
  return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "register_and_stop").string();
}

Registering::Registering(const std::string& directory, int steps, const std::string& path) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  const std::string program = HelperProgram();
  const std::string count = std::to_string(steps);
  char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(directory.c_str()),
                        const_cast<char*>(count.c_str()), const_cast<char*>(path.c_str()), nullptr};
  running_ = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  output_ = pipeEnds[0];
}

Registering::~Registering() {
  if (running_) Kill();
  if (output_ >= 0) close(output_);
}

std::string Registering::FirstLine() {
  std::string line;
  char c;
  while (read(output_, &c, 1) == 1 && c != '\n') line += c;
  return line;
}

void Registering::Kill() {
  if (!running_) return;
  kill(pid_, SIGKILL);
  int status;
  waitpid(pid_, &status, 0);
  running_ = false;
}
#endif

// Both ways of putting a file in place: over programs reading it, and the plain rename.
class KillDuringRegistrationTest : public ::testing::TestWithParam<std::string> {};
INSTANTIATE_TEST_SUITE_P(BothWays, KillDuringRegistrationTest, ::testing::Values("over-open", "plain"));

TEST_P(KillDuringRegistrationTest, AfterEveryStepTheDictionaryIsOldOrNewInFull) {
  const std::string replace = GetParam() == "over-open" ? "Replace" : "Rename";  // as its steps are named
  const FillerDictionary filler = MakeFillerDictionary(6000);  // about 150 KB: several writes
  const std::string& oldDictionary = filler.before;
  const std::string& newDictionary = filler.after;
  const auto describe = [&](const std::string& path) -> std::string {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return "absent";
    if (*bytes == oldDictionary) return "old";
    if (*bytes == newDictionary) return "new";
    if (newDictionary.compare(0, bytes->size(), *bytes) == 0) return "partial";
    return "other";
  };

  std::vector<std::string> steps;
  std::printf("%-44s %-11s %-15s %-19s %s\n", "killed after", "RAdoro.txt", "RAdoro.txt.bak",
              "RAdoro.txt.bak.tmp", "RAdoro.txt.next");
  for (int step = 1;; ++step) {
    ASSERT_LT(step, 50) << "the registration never finished";
    TempDir dir;
    const DictionaryPaths paths = DictionaryPaths::In(dir.Path());
    WriteWholeFile(paths.dictionary, oldDictionary);
    std::string line;
    {
      std::string directory = dir.Path();
      directory.pop_back();  // a trailing separator would escape the closing quote on Windows
      Registering registering(directory, step, GetParam());
      line = registering.FirstLine();
      registering.Kill();
    }
    if (line == "done") {
      EXPECT_EQ(describe(paths.dictionary), "new");
      break;
    }
    const std::string prefix = "stopped after ";
    ASSERT_EQ(line.compare(0, prefix.size(), prefix), 0) << "the registering process said: " << line;
    steps.push_back(line.substr(prefix.size()));
    SCOPED_TRACE(steps.back());

    const std::string dictionary = describe(paths.dictionary);
    std::printf("%-44s %-11s %-15s %-19s %s\n", steps.back().c_str(), dictionary.c_str(),
                describe(paths.backup).c_str(), describe(paths.stagedBackup).c_str(),
                describe(paths.work).c_str());
    EXPECT_TRUE(dictionary == "old" || dictionary == "new") << dictionary;

    // The next registration, of the row as the dictionary now shows it, works
    // over whatever the killed one left.
    dictionary::NativeFileSystem files;
    const char* const row = dictionary == "new" ? "run\t[x]\tfast" : "run\tfast";
    EXPECT_TRUE(RegisterPronunciation(row, "x", files, paths).Succeeded());
    EXPECT_EQ(describe(paths.dictionary), "new");
    EXPECT_EQ(dir.Listing(), "RAdoro.txt RAdoro.txt.bak ");
  }
  std::fflush(stdout);
  // Every step of the sequence was reached, the final rename included.
  const std::vector<std::string> expected = {"CreateWorkFile RAdoro.txt.next",
                                             "Write RAdoro.txt.next (1)",
                                             "Write RAdoro.txt.next (2)",
                                             "Write RAdoro.txt.next (3)",
                                             "Sync RAdoro.txt.next",
                                             "Link RAdoro.txt RAdoro.txt.bak.tmp",
                                             replace + " RAdoro.txt.bak.tmp RAdoro.txt.bak",
                                             replace + " RAdoro.txt.next RAdoro.txt"};
  EXPECT_EQ(steps, expected);
}

}  // namespace
}  // namespace rows
