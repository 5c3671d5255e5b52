// The lexmoor-lookup command against the sample dictionary: output list by
// list, conversion for the terminal, exit codes.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/temp_dir.h"

namespace {

using testsupport::TempDir;

std::string ReadBytes(const std::string& path) { return testsupport::ReadWholeFile(path).value_or(""); }

const std::string kSample = SAMPLE_DICTIONARY;

struct CommandRun {
  int exitCode;
  std::string out, err;
};

CommandRun RunLookup(const std::string& locale, const std::string& args) {
  TempDir dir;
  const std::string out = dir / "stdout", err = dir / "stderr";
  std::string command = "LC_ALL=" + locale + " '" + LEXMOOR_LOOKUP_EXE + "' " + args + " >'" + out + "' 2>'" + err + "'";
  int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(out), ReadBytes(err)};
}

TEST(LookupCommandTest, PrintsTheListsInUse) {
  struct Case {
    const char* args;
    int exitCode;
    const char* out;
  } cases[] = {
      // A row cut at its ';' has no line end of its own.
      {"run", 0,
       "[1000] 3 found\nrun\tv. 走る、経営する\nrunner\tn. 走者\nrunning\tn. 走ること adj. 走っている\n"},
      {"RUNNER", 0, "[1000] 1 found\nrunner\tn. 走者\n"},
      {"runners", 0, "[1000] 1 found\nrunner\tn. 走者\n"},       // inflection fallback
      {"'“Runners,”'", 0, "[1000] 1 found\nrunner\tn. 走者\n"},  // found once its punctuation is off
      {"zebra", 1, "[1000] nothing found\nUnknown\n"},
      {"construct", 0, "[1000] 2 found\nconstruct\tv. 建設する、組み立てる\nconstruction\tn. 建設、構造\n"},
      {"--related construct", 0,
       "[1000] 2 found\nconstruct\tv. 建設する、組み立てる\nconstruction\tn. 建設、構造\n"
       "[1001] 2 found\ninstruct\tv. 教える、指示する\ninstruction\tn. 指示、教授\n"
       "[1002] 2 found\ndestruct\tv. 破壊する\ndestruction\tn. 破壊\n"},
      {"--related zenform", 1, "[1000] nothing found\nUnknown\n"},
      {"-- --related", 1, "[1000] nothing found\nUnknown\n"},
  };
  for (const auto& c : cases) {
    CommandRun run = RunLookup("C.UTF-8", std::string("--dict ") + kSample + " " + c.args);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args << ": " << run.err;
    EXPECT_EQ(run.out, c.out) << c.args;
  }
}

TEST(LookupCommandTest, RowsStayCodePage932OutsideUtf8) {
  CommandRun run = RunLookup("C", std::string("--dict ") + kSample + " runner");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "[1000] 1 found\nrunner\tn. \x91\x96\x8e\xd2\n");
}

TEST(LookupCommandTest, DefaultDictionaryIsInTheWorkingDirectory) {
  TempDir dir;
  std::filesystem::copy_file(kSample, dir / "RAdoro.txt");
  const std::string command = "cd '" + (dir / "") + "' && LC_ALL=C.UTF-8 '" + LEXMOOR_LOOKUP_EXE + "' runner >out";
  int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadBytes(dir / "out"), "[1000] 1 found\nrunner\tn. 走者\n");
}

TEST(LookupCommandTest, BadUsageAndUnreadableDictionary) {
  TempDir dir;
  struct Case {
    std::string args;
    const char* message;
  } cases[] = {
      {"", "which word?"},
      {"--dict", "--dict needs a file name"},
      {"--dict " + kSample + " run walk", "one word at a time"},
      {"--bogus run", "unknown option \"--bogus\""},
      {"--dict " + kSample + " ' '", "nothing to look up"},
      {"--dict " + (dir / "missing.txt") + " run", "missing.txt: cannot open the dictionary"},
      {"--dict " + (dir / "") + " run", "is a folder"},
      {"--dict " + kSample + " 스", "cannot be written in code page 932"},
  };
  for (const auto& c : cases) {
    CommandRun run = RunLookup("C.UTF-8", c.args);
    EXPECT_EQ(run.exitCode, 2) << c.args;
    EXPECT_EQ(run.out, "") << c.args;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args << ": " << run.err;
  }
}

}  // namespace
