// The lexmoor-import command: exit codes, its report, and an existing output
// that survives every failure.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "test_files.h"

namespace {

using import_test::kFixtures;
using import_test::ReadBytes;
using import_test::TempDir;
using import_test::WriteBytes;

struct CommandRun {
  int exitCode;
  std::string out, err;
};

CommandRun RunImport(const TempDir& dir, const std::string& args) {
  const std::string out = dir / "stdout", err = dir / "stderr";
  std::string command = std::string("'") + LEXMOOR_IMPORT_EXE + "' " + args + " >'" + out + "' 2>'" + err + "'";
  int status = std::system(command.c_str());
  CommandRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(out), ReadBytes(err)};
  std::remove(out.c_str());
  std::remove(err.c_str());
  return run;
}

TEST(ImportCommandTest, WritesTheDictionaryAndReports) {
  TempDir dir;
  CommandRun run = RunImport(dir, "freedict --index " + kFixtures + "/freedict.index --dict " + kFixtures +
                               "/freedict.dict.dz -o " + (dir / "RAdoro.txt"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadBytes(dir / "RAdoro.txt"), ReadBytes(kFixtures + "/freedict-expected.txt"));
  EXPECT_NE(run.out.find("entries read:        17"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("lines written:       14"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("characters replaced: 5 (4 by a close equivalent, 1 by '?'"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("1 entries without a Japanese meaning"), std::string::npos) << run.out;

  run = RunImport(dir, "edict --edict " + kFixtures + "/edict -o " + (dir / "edict.txt"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadBytes(dir / "edict.txt"), ReadBytes(kFixtures + "/edict-expected.txt"));
  EXPECT_EQ(dir.Listing(), "RAdoro.txt edict.txt ");
}

TEST(ImportCommandTest, FailureLeavesAnExistingOutputUntouched) {
  TempDir dir;
  const std::string output = dir / "RAdoro.txt";
  const std::string before = "run\tmy own words\r\n";
  WriteBytes(output, before);
  WriteBytes(dir / "cut.dict.dz", ReadBytes(kFixtures + "/freedict.dict.dz").substr(0, 300));
  WriteBytes(dir / "bad.index", "run\tA\tZZZZ\n");
  WriteBytes(dir / "bad-edict", "\xb2\xf3 [\xa4\xab] /(n) time/\n\xff\xff /(n) bad/\n");
  const std::string index = kFixtures + "/freedict.index", data = kFixtures + "/freedict.dict.dz";
  struct Case {
    std::string args, blamed;
  } cases[] = {
      {"freedict --index " + index + " --dict " + (dir / "cut.dict.dz"), dir / "cut.dict.dz"},
      {"freedict --index " + (dir / "bad.index") + " --dict " + data, dir / "bad.index"},
      {"freedict --index " + (dir / "missing.index") + " --dict " + data, dir / "missing.index"},
      {"edict --edict " + (dir / "bad-edict"), dir / "bad-edict"},
  };
  for (const auto& c : cases) {
    CommandRun run = RunImport(dir, c.args + " -o " + output);
    EXPECT_EQ(run.exitCode, 1) << c.args;
    EXPECT_NE(run.err.find(c.blamed), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("nothing written"), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(output), before) << c.args;
  }
  EXPECT_EQ(dir.Listing(), "RAdoro.txt bad-edict bad.index cut.dict.dz ");
}

TEST(ImportCommandTest, UnwritableOutputFails) {
  TempDir dir;
  CommandRun run = RunImport(dir, "edict --edict " + kFixtures + "/edict -o " + (dir / "no-folder/RAdoro.txt"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find(dir / "no-folder/RAdoro.txt"), std::string::npos) << run.err;
  EXPECT_EQ(dir.Listing(), "");
}

TEST(ImportCommandTest, BadUsage) {
  TempDir dir;
  for (const char* args : {"", "dictd", "freedict --edict x", "edict --edict", "freedict -o", "edict extra"}) {
    CommandRun run = RunImport(dir, args);
    EXPECT_EQ(run.exitCode, 2) << args;
    EXPECT_NE(run.err.find("usage: lexmoor-import"), std::string::npos) << args << ": " << run.err;
  }
  CommandRun help = RunImport(dir, "--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("usage: lexmoor-import"), std::string::npos);
  EXPECT_EQ(dir.Listing(), "");
}

}  // namespace
