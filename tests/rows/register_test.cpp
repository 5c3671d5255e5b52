#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "dictionary/native_file_system.h"
#include "dictionary/text_mode_reader.h"
#include "rows/dictionary_rewrite.h"
#include "rows/registration_message.h"
#include "tests/support/temp_dir.h"

namespace rows {
namespace {

using testsupport::ReadWholeFile;
using testsupport::TempDir;
using testsupport::WriteWholeFile;

using namespace std::string_literals;

#define HASHIRU "\x91\x96\x82\xE9"                        // 走る
#define KEIEI "\x81\x41\x8C\x6F\x89\x63\x82\xB7\x82\xE9"  // 、経営する

struct Rewrite {
  RegisterOutcome outcome;
  std::optional<std::string> dictionary, work, backup;
};

Rewrite Register(const std::string& dictionary, const std::string& row, const std::string& pronunciation) {
  TempDir dir;
  const DictionaryPaths paths = DictionaryPaths::In(dir.Path());
  WriteWholeFile(paths.dictionary, dictionary);
  dictionary::NativeFileSystem files;
  Rewrite r;
  r.outcome = RegisterPronunciation(row, pronunciation, files, paths);
  r.dictionary = ReadWholeFile(paths.dictionary);
  r.work = ReadWholeFile(paths.work);
  r.backup = ReadWholeFile(paths.backup);
  return r;
}

// Every case registers pronunciation "x" for a row as the listing made it.
TEST(RegisterPronunciationTest, RewritesTheRowsLines) {
  const std::string filler(dictionary::kMaxPieceLength - 5, 'z');  // "long\t" + filler is one full piece
  const std::string hidden(20000, 'h');
  struct Case {
    const char* what;
    std::string dictionary;
    std::string row;
    std::string rewritten;
    int replaced;
  };
  const Case cases[] = {
      {"a row that kept its LF leaves no empty line", "abandon\tto give up\r\nable\tadj.\r\n",
       "abandon\tto give up\n", "abandon\t[x]\tto give up\r\nable\tadj.\r\n", 1},
      {"the hidden part is carried over", "run\tv. " HASHIRU ";note\r\n", "run\tv. " HASHIRU,
       "run\t[x]\tv. " HASHIRU ";note\r\n", 1},
      {"a line that merely begins with the row keeps its tail",
       "run\tv. " HASHIRU KEIEI "\r\nrun\tv. " HASHIRU ";n\r\n", "run\tv. " HASHIRU,
       "run\tv. " HASHIRU KEIEI "\r\nrun\t[x]\tv. " HASHIRU ";n\r\n", 1},
      {"a row with LF does not match the line's cut form", "run\tfast;n\r\nrun\tfast\r\n", "run\tfast\n",
       "run\tfast;n\r\nrun\t[x]\tfast\r\n", 1},
      {"a pronunciation already there is replaced", "a\t[p]\tb\r\n", "a\t[p]\tb\n", "a\t[x]\tb\r\n", 1},
      {"only the headword's TAB takes it", "\ta\tb\tc;d\te\r\n", "\ta\tb\tc", "\ta\t[x]\tb\tc;d\te\r\n", 1},
      {"every line of the row, case and all", "run\tfast\r\nRun\tfast\r\nrun\tfast\r\n", "run\tfast\n",
       "run\t[x]\tfast\r\nRun\tfast\r\nrun\t[x]\tfast\r\n", 2},
      {"other lines byte for byte, '%' included; LF becomes CR LF; a lone CR stays",
       "%s%n\tx\nrun\tfast\r\na\rb\r\n", "run\tfast\n", "%s%n\tx\r\nrun\t[x]\tfast\r\na\rb\r\n", 1},
      {"a matched last line gets a line end", "a\tb\r\nrun\tfast", "run\tfast", "a\tb\r\nrun\t[x]\tfast\r\n",
       1},
      {"a matched last line keeps its hidden part", "run\tfast;old", "run\tfast", "run\t[x]\tfast;old\r\n",
       1},
      {"a NUL ends the row like a ';' and the bytes after it stay", "run\tfast\0junk\r\na\0b\r\nc\r\n"s,
       "run\tfast", "run\t[x]\tfast\0junk\r\na\0b\r\nc\r\n"s, 1},
      {"bytes after 0x1A are copied unchanged", "run\tfast\r\n\x1Arun\tfast\r\nmore\n", "run\tfast\n",
       "run\t[x]\tfast\r\n\x1Arun\tfast\r\nmore\n", 1},
      {"a matched line right before 0x1A gets a line end", "run\tfast\x1A tail", "run\tfast",
       "run\t[x]\tfast\r\n\x1A tail", 1},
      {"a lone CR before 0x1A stays",
       "a\r\x1A"
       "b",
       "run\tfast",
       "a\r\x1A"
       "b",
       0},
      {"nothing matches: nothing written", "a\tb\r\n", "run\tfast", "a\tb\r\n", 0},
      {"an empty dictionary", "", "run\tfast", "", 0},
      // Pieces of long lines.
      {"a row that is a whole first piece: no line end is put inside the line",
       "long\t" + filler + "tail;" + hidden + "\r\n", "long\t" + filler,
       "long\t[x]\t" + filler + "tail;" + hidden + "\r\n", 1},
      {"a row matched by its first piece carries the rest of the long line",
       "run\tfast;" + hidden + "\r\nb\r\n", "run\tfast", "run\t[x]\tfast;" + hidden + "\r\nb\r\n", 1},
      {"a later piece is matched on its own",
       std::string(dictionary::kMaxPieceLength, 'z') + "run\tfast;h\r\n", "run\tfast",
       std::string(dictionary::kMaxPieceLength, 'z') + "run\t[x]\tfast;h\r\n", 1},
      {"a row straddling a piece boundary is no piece's row",
       std::string(dictionary::kMaxPieceLength - 3, 'z') + "run\tfast;h\r\n", "run\tfast",
       std::string(dictionary::kMaxPieceLength - 3, 'z') + "run\tfast;h\r\n", 0},
      {"a row of 10239 bytes with its LF", "long\t" + filler.substr(1) + "\r\nlong\t" + filler + "\r\n",
       "long\t" + filler.substr(1) + "\n", "long\t[x]\t" + filler.substr(1) + "\r\nlong\t" + filler + "\r\n",
       1},
      {"a row of 10239 bytes ending the file", "long\t" + filler, "long\t" + filler,
       "long\t[x]\t" + filler + "\r\n", 1},
      {"a lone CR before a piece boundary", "long\t" + filler.substr(1) + "\r;h\r\n",
       "long\t" + filler.substr(1) + "\r", "long\t[x]\t" + filler.substr(1) + "\r;h\r\n", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Rewrite r = Register(c.dictionary, c.row, "x");
    // A row no longer in the dictionary as shown writes nothing, the backup included.
    const bool found = c.replaced > 0;
    EXPECT_EQ(r.outcome.status, found ? RegisterStatus::kRegistered : RegisterStatus::kRowNotFound);
    EXPECT_EQ(r.outcome.replacedLines, c.replaced);
    EXPECT_EQ(r.dictionary, c.rewritten);
    EXPECT_EQ(r.backup, found ? std::optional(c.dictionary) : std::nullopt);
    EXPECT_EQ(r.work, std::nullopt);
  }
}

TEST(RegisterPronunciationTest, PronunciationIsWrittenVerbatim) {
  for (const std::string pronunciation : {"", "%s%n", "\x83\x89\x83\x93"}) {
    const Rewrite r = Register("run\tfast\r\n", "run\tfast\n", pronunciation);
    EXPECT_EQ(r.dictionary, "run\t[" + pronunciation + "]\tfast\r\n");
  }
}

TEST(RegisterPronunciationTest, RowsWithoutPlaceTouchNothing) {
  for (const std::string row : {"", "Unknown", "Unknown\n", "run\n"}) {
    SCOPED_TRACE(row);
    TempDir dir;
    const DictionaryPaths paths = DictionaryPaths::In(dir.Path());
    const std::string dictionary = "Unknown\r\nrun\r\n";
    WriteWholeFile(paths.dictionary, dictionary);
    dictionary::NativeFileSystem files;
    EXPECT_EQ(RegisterPronunciation(row, "x", files, paths).status, RegisterStatus::kNotRegistrable);
    EXPECT_EQ(ReadWholeFile(paths.dictionary), dictionary);
    EXPECT_EQ(dir.Listing(), "RAdoro.txt ");
  }
}

TEST(RegisterPronunciationTest, BackupIsTheDictionaryJustBefore) {
  TempDir dir;
  const DictionaryPaths paths = DictionaryPaths::In(dir.Path());
  WriteWholeFile(paths.dictionary, "run\tfast\r\n");
  WriteWholeFile(paths.backup, "an older backup\r\n");
  WriteWholeFile(paths.work, "left behind by an earlier run, longer than the new dictionary\r\n");
  dictionary::NativeFileSystem files;
  ASSERT_TRUE(RegisterPronunciation("run\tfast\n", "x", files, paths).Succeeded());
  ASSERT_TRUE(RegisterPronunciation("run\t[x]\tfast\n", "y", files, paths).Succeeded());
  EXPECT_EQ(ReadWholeFile(paths.dictionary), "run\t[y]\tfast\r\n");
  EXPECT_EQ(ReadWholeFile(paths.backup), "run\t[x]\tfast\r\n");
  EXPECT_EQ(ReadWholeFile(paths.work), std::nullopt);
}

TEST(RegisterPronunciationTest, MissingDictionaryCreatesNothing) {
  TempDir dir;
  dictionary::NativeFileSystem files;
  const RegisterOutcome outcome =
      RegisterPronunciation("run\tfast\n", "x", files, DictionaryPaths::In(dir.Path()));
  EXPECT_EQ(outcome.status, RegisterStatus::kNoDictionary);
  EXPECT_FALSE(outcome.Succeeded());
  EXPECT_EQ(dir.Listing(), "");
}

TEST(RegisterPronunciationTest, CurrentDirectoryByDefault) {
  TempDir dir;
  WriteWholeFile(dir.File("RAdoro.txt"), "run\tfast\n");
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  dictionary::NativeFileSystem files;
  const RegisterOutcome outcome = RegisterPronunciation("run\tfast\n", "x", files);
  std::filesystem::current_path(previous);
  EXPECT_TRUE(outcome.Succeeded());
  EXPECT_EQ(ReadWholeFile(dir.File("RAdoro.txt")), "run\t[x]\tfast\r\n");
  EXPECT_EQ(ReadWholeFile(dir.File("RAdoro.txt.bak")), "run\tfast\n");
}

TEST(RegisterPronunciationTest, AWorkFileOrStagedBackupLeftBehindIsReplaced) {
  TempDir dir;
  const DictionaryPaths paths = DictionaryPaths::In(dir.Path());
  WriteWholeFile(paths.dictionary, "run\tfast\r\n");
  WriteWholeFile(paths.work, "left behind by an earlier run, longer than the new dictionary\r\n");
  WriteWholeFile(paths.stagedBackup, "a backup an interrupted run did not finish\r\n");
  dictionary::NativeFileSystem files;
  ASSERT_TRUE(RegisterPronunciation("run\tfast\n", "x", files, paths).Succeeded());
  EXPECT_EQ(ReadWholeFile(paths.dictionary), "run\t[x]\tfast\r\n");
  EXPECT_EQ(ReadWholeFile(paths.backup), "run\tfast\r\n");
  EXPECT_EQ(dir.Listing(), "RAdoro.txt RAdoro.txt.bak ");
}

TEST(RegisterPronunciationTest, AWorkNameTakenByADirectoryLeavesTheDictionary) {
  TempDir dir;
  const DictionaryPaths paths = DictionaryPaths::In(dir.Path());
  WriteWholeFile(paths.dictionary, "run\tfast\r\n");
  std::filesystem::create_directory(paths.work);
  dictionary::NativeFileSystem files;
  EXPECT_EQ(RegisterPronunciation("run\tfast\n", "x", files, paths).status,
            RegisterStatus::kWorkFileNotCreated);
  EXPECT_EQ(ReadWholeFile(paths.dictionary), "run\tfast\r\n");
}

TEST(RegisterPronunciationTest, ABackupNameTakenByADirectoryLeavesTheDictionary) {
  TempDir dir;
  const DictionaryPaths paths = DictionaryPaths::In(dir.Path());
  WriteWholeFile(paths.dictionary, "run\tfast\r\n");
  std::filesystem::create_directory(paths.backup);
  WriteWholeFile(paths.backup + "/kept", "x");
  dictionary::NativeFileSystem files;
  EXPECT_EQ(RegisterPronunciation("run\tfast\n", "x", files, paths).status, RegisterStatus::kReplaceFailed);
  EXPECT_EQ(ReadWholeFile(paths.dictionary), "run\tfast\r\n");
  EXPECT_EQ(ReadWholeFile(paths.backup + "/kept"), "x");
  EXPECT_EQ(dir.Listing(), "RAdoro.txt RAdoro.txt.bak ");
}

// Another program takes the dictionary away just as it is to be replaced.
class DictionaryTakenAway final : public dictionary::FileSystem {
 public:
  explicit DictionaryTakenAway(const DictionaryPaths& paths) : paths_(paths) {}
  std::unique_ptr<dictionary::ByteSource> OpenForRead(const std::string& path) override {
    return files_.OpenForRead(path);
  }
  std::unique_ptr<dictionary::OutputFile> CreateWorkFile(const std::string& path) override {
    return files_.CreateWorkFile(path);
  }
  bool Exists(const std::string& path) override { return files_.Exists(path); }
  bool Link(const std::string& existing, const std::string& link) override {
    return files_.Link(existing, link);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    if (to != paths_.dictionary) return files_.Rename(from, to);
    files_.Remove(paths_.dictionary);
    return false;
  }
  bool RenameOverOpenFile(const std::string& from, const std::string& to) override {
    return Rename(from, to);
  }
  bool Remove(const std::string& path) override { return files_.Remove(path); }
  dictionary::PathFacts Inspect(const std::string& path) override { return files_.Inspect(path); }
  std::optional<dictionary::FileError> ProbeFolder(const std::string& path) override {
    return files_.ProbeFolder(path);
  }
  dictionary::FileError LastError() const override { return files_.LastError(); }

 private:
  DictionaryPaths paths_;
  dictionary::NativeFileSystem files_;
};

TEST(RegisterPronunciationTest, WithoutTheDictionaryTheWorkFileIsKept) {
  TempDir dir;
  const DictionaryPaths paths = DictionaryPaths::In(dir.Path());
  WriteWholeFile(paths.dictionary, "run\tfast\r\n");
  DictionaryTakenAway files(paths);
  EXPECT_EQ(RegisterPronunciation("run\tfast\n", "x", files, paths).status, RegisterStatus::kReplaceFailed);
  EXPECT_EQ(ReadWholeFile(paths.work), "run\t[x]\tfast\r\n");
  EXPECT_EQ(ReadWholeFile(paths.backup), "run\tfast\r\n");
}

// Access refused while only reading the dictionary is about the file's
// permissions; refused while writing, about the folder.
TEST(RegisterPronunciationTest, TheAdviceFitsWhatWasRefused) {
  const struct {
    RegisterStatus status;
    const char* advice;
  } cases[] = {
      {RegisterStatus::kNoDictionary, "読む権限がありません"},
      {RegisterStatus::kReadFailed, "読む権限がありません"},
      {RegisterStatus::kWriteFailed, "Program Files"},
  };
  for (const auto& c : cases) {
    RegisterOutcome outcome;
    outcome.status = c.status;
    outcome.refused.error.reason = dictionary::Refusal::kAccessDenied;
    EXPECT_NE(RegistrationFailureText(outcome, "C:\\x\\RAdoro.txt", "").find(c.advice), std::string::npos)
        << static_cast<int>(c.status);
  }
}

TEST(DictionaryPathsTest, Names) {
  const DictionaryPaths here = DictionaryPaths::In();
  EXPECT_EQ(here.dictionary, "RAdoro.txt");
  EXPECT_EQ(here.work, "RAdoro.txt.next");
  EXPECT_EQ(here.backup, "RAdoro.txt.bak");
  EXPECT_EQ(DictionaryPaths::Of("x/out.txt").backup, "x/out.txt.bak");
  EXPECT_EQ(DictionaryPaths::In("d").dictionary, "d/RAdoro.txt");
  EXPECT_EQ(DictionaryPaths::In("d/").backup, "d/RAdoro.txt.bak");
  EXPECT_EQ(DictionaryPaths::In("C:\\d\\").work, "C:\\d\\RAdoro.txt.next");
}

}  // namespace
}  // namespace rows
