// The lexmoor-import command: exit codes, its report, and an existing output
// that survives every failure.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "dictionary/native_file_system.h"
#include "import_checks.h"
#include "rows/dictionary_rewrite.h"
#include "stardict_writer.h"
#include "test_files.h"

namespace {

using import_test::Cp932;
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
  std::string command =
      std::string("'") + LEXMOOR_IMPORT_EXE + "' " + args + " >'" + out + "' 2>'" + err + "'";
  int status = std::system(command.c_str());
  CommandRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(out), ReadBytes(err)};
  std::remove(out.c_str());
  std::remove(err.c_str());
  return run;
}

TEST(ImportCommandTest, WritesTheDictionaryAndReports) {
  TempDir dir;
  CommandRun run = RunImport(dir, "freedict --index " + kFixtures + "/freedict.index --dict " + kFixtures +
                                      "/freedict.dict.dz --no-forms -o " + (dir / "RAdoro.txt"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");  // no progress where stderr is no terminal
  EXPECT_EQ(ReadBytes(dir / "RAdoro.txt"), ReadBytes(kFixtures + "/freedict-expected.txt"));
  EXPECT_NE(run.out.find("entries read:        17"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("lines written:       14"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("characters replaced: 5 (4 by a close equivalent, 1 by '?'"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("1 entries without a Japanese meaning"), std::string::npos) << run.out;

  run = RunImport(dir, "edict --edict " + kFixtures + "/edict --no-forms -o " + (dir / "edict.txt"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadBytes(dir / "edict.txt"), ReadBytes(kFixtures + "/edict-expected.txt"));

  import_test::WriteStardict(dir / "sd", {{"run", "走る"}});
  run = RunImport(dir, "stardict " + (dir / "sd.ifo") + " --no-forms -o " + (dir / "sd.txt"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadBytes(dir / "sd.txt"), Cp932("run\t走る\r\n"));
  EXPECT_NE(run.out.find("read " + (dir / "sd.ifo") + " (\"test dictionary\")"), std::string::npos)
      << run.out;

  WriteBytes(dir / "words.tsv", Cp932("run\t走る\n"));
  run = RunImport(dir, "tsv --encoding cp932 " + (dir / "words.tsv") + " --no-forms -o " + (dir / "tsv.txt"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadBytes(dir / "tsv.txt"), Cp932("run\t走る\r\n"));
  EXPECT_EQ(dir.Listing(), "RAdoro.txt edict.txt sd.dict.dz sd.idx sd.ifo sd.txt tsv.txt words.tsv ");
}

TEST(ImportCommandTest, ReimportKeepsRegisteredPronunciations) {
  TempDir dir;
  const std::string output = dir / "RAdoro.txt";
  WriteBytes(dir / "old.tsv", "run\t走る\ngone\t去った\ncat\t猫\n");
  WriteBytes(dir / "new.tsv", "run\t走る\trun fast\ncat\t猫\n");
  ASSERT_EQ(RunImport(dir, "tsv " + (dir / "old.tsv") + " --no-forms -o " + output).exitCode, 0);
  // Registered in the program: a Ctrl+double-click on the row, as listed.
  dictionary::NativeFileSystem files;
  const auto paths = dictionary::DictionaryPaths::Of(output);
  ASSERT_TRUE(rows::RegisterPronunciation(Cp932("run\t走る\n"), "ran", files, paths).Succeeded());
  ASSERT_TRUE(rows::RegisterPronunciation(Cp932("gone\t去った\n"), "gon", files, paths).Succeeded());
  const std::string registered = ReadBytes(output);

  CommandRun run = RunImport(dir, "tsv " + (dir / "new.tsv") + " --no-forms -o " + output);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadBytes(output), Cp932("cat\t猫\r\nrun\t[ran]\t走る / run fast\r\n"));
  EXPECT_EQ(ReadBytes(output + ".bak"), registered);
  EXPECT_NE(run.out.find("previous dictionary kept as " + output + ".bak"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("registered pronunciations carried over: 1\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("registered pronunciations not carried over: 1 (" + output +
                         ".bak keeps them)\n"
                         "    gone [gon]: no new line has this headword\n"),
            std::string::npos)
      << run.out;

  // A failed import changes neither the dictionary nor its backup.
  const std::string carried = ReadBytes(output);
  run = RunImport(dir, "tsv " + (dir / "missing.tsv") + " -o " + output);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(ReadBytes(output), carried);
  EXPECT_EQ(ReadBytes(output + ".bak"), registered);

  run = RunImport(dir, "tsv " + (dir / "new.tsv") + " --fresh --no-forms -o " + output);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadBytes(output), Cp932("cat\t猫\r\nrun\t走る / run fast\r\n"));
  EXPECT_EQ(ReadBytes(output + ".bak"), carried);
  EXPECT_EQ(run.out.find("registered pronunciations"), std::string::npos) << run.out;
  EXPECT_EQ(dir.Listing(), "RAdoro.txt RAdoro.txt.bak new.tsv old.tsv ");
}

// FreeDict with EDICT filling its gaps, and the form lines of both, from
// Debian's WordNet and word lists.
TEST(ImportCommandTest, FilledAndWithFormLines) {
  TempDir dir;
  const std::string sources = "freedict+edict --index " + kFixtures + "/freedict.index --dict " + kFixtures +
                              "/freedict.dict.dz --edict " + kFixtures + "/edict -o " + (dir / "RAdoro.txt");
  CommandRun run = RunImport(dir, sources);
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string lines = ReadBytes(dir / "RAdoro.txt");
  for (const char* line :
       {"\nrun\tn. ①区間、時間 ②走る", "\nran\tv. runの過去形 ― 作動、動く\r\n",
        "\nregression\t〔EDICT〕回帰[かいき]\r\n", "\nregressions\tn. regressionの複数形 ― 回帰",
        "\nrunup\tn. run-upの別綴り ― 助走\r\n", "\nrevolve\tv. revolutionの動詞形 ― 回帰[かいき]\r\n",
        "\nuntravelled\tadj. travelledの反意語 ― 走る[はしる]\r\n"})
    EXPECT_NE(lines.find(Cp932(line)), std::string::npos) << line;
  EXPECT_EQ(lines.find(Cp932("\nrun\t〔EDICT〕")), std::string::npos);  // FreeDict has it
  EXPECT_NE(run.out.find("lines taken from EDICT for the headwords the other lacks: 12"), std::string::npos);
  EXPECT_NE(run.out.find("form lines:          44 (of 49 inflected forms and related words; "),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\n    19 inflected forms\n    1 compounds written closed or hyphenated\n"),
            std::string::npos);

  run = RunImport(dir, sources + " --no-forms");
  EXPECT_NE(run.out.find("form lines:          none made: --no-forms was given"), std::string::npos)
      << run.out;
  const std::string made = ReadBytes(dir / "RAdoro.txt");
  run = RunImport(dir, sources + " --wordnet " + (dir / "none"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find(dir / "none/index.noun"), std::string::npos) << run.err;
  EXPECT_EQ(ReadBytes(dir / "RAdoro.txt"), made);
}

TEST(ImportCommandTest, FailureLeavesAnExistingOutputUntouched) {
  TempDir dir;
  const std::string output = dir / "RAdoro.txt";
  const std::string before = "run\tmy own words\r\n";
  WriteBytes(output, before);
  WriteBytes(dir / "cut.dict.dz", ReadBytes(kFixtures + "/freedict.dict.dz").substr(0, 300));
  WriteBytes(dir / "bad.index", "run\tA\tZZZZ\n");
  WriteBytes(dir / "bad-edict", "\xb2\xf3 [\xa4\xab] /(n) time/\n\xff\xff /(n) bad/\n");
  WriteBytes(dir / "nul.tsv", std::string("run\tx\n") + '\0' + "\n");
  import_test::WriteStardict(dir / "sd", {{"run", "x"}});
  std::remove((dir / "sd.dict.dz").c_str());
  const std::string index = kFixtures + "/freedict.index", data = kFixtures + "/freedict.dict.dz";
  struct Case {
    std::string args, blamed;
  } cases[] = {
      {"freedict --index " + index + " --dict " + (dir / "cut.dict.dz"), dir / "cut.dict.dz"},
      {"freedict --index " + (dir / "bad.index") + " --dict " + data, dir / "bad.index"},
      {"freedict --index " + (dir / "missing.index") + " --dict " + data, dir / "missing.index"},
      {"edict --edict " + (dir / "bad-edict"), dir / "bad-edict"},
      {"tsv " + (dir / "nul.tsv"), dir / "nul.tsv"},
      {"stardict " + (dir / "sd.ifo"), dir / "sd.dict"},
  };
  for (const auto& c : cases) {
    CommandRun run = RunImport(dir, c.args + " -o " + output);
    EXPECT_EQ(run.exitCode, 1) << c.args;
    EXPECT_NE(run.err.find(c.blamed), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("nothing written"), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(output), before) << c.args;
  }
  EXPECT_EQ(dir.Listing(), "RAdoro.txt bad-edict bad.index cut.dict.dz nul.tsv sd.idx sd.ifo ");
}

TEST(ImportCommandTest, UnwritableOutputFails) {
  TempDir dir;
  CommandRun run =
      RunImport(dir, "edict --edict " + kFixtures + "/edict -o " + (dir / "no-folder/RAdoro.txt"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find(dir / "no-folder/RAdoro.txt"), std::string::npos) << run.err;
  EXPECT_EQ(dir.Listing(), "");
}

TEST(ImportCommandTest, BadUsage) {
  TempDir dir;
  for (const char* args : {"", "dictd", "freedict --edict x", "edict --edict", "freedict -o", "edict extra",
                           "tsv", "tsv a b", "tsv a --encoding latin1", "stardict --fresh",
                           "stardict a --encoding utf-8", "tsv a --wordnet", "tsv a --no-forms --words b"}) {
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
