// Lookups one after another keep what a read of the dictionary learned, read
// it again only when it may have changed, and always give what a fresh
// reading of the file as it is now gives.
#include "lookup/dictionary_lookups.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/dictionary_fixture.h"
#include "tests/support/memory_files.h"
#include "tests/support/reference_lookup.h"
#include "tests/support/reference_punctuation.h"

namespace lookup {
namespace {

using dictionary::kTimestampGranularity;
using fixture::Dictionary;
using testsupport::MemoryFiles;

constexpr char kName[] = "RAdoro.txt";
constexpr char kNoFile[] = "";

// Words the queries below find, among many they don't.
std::string WithOthers(const std::vector<std::string>& words) {
  std::vector<std::string> all = words;
  for (int i = 0; i < 200; ++i) all.push_back("other" + std::to_string(i));
  return Dictionary(all);
}

const std::string kWords = WithOthers({"construct", "instruct", "Instructor", "destruct", "review", "inview",
                                       "study", "studio", "run", "running", "RUNAWAY", "rerun"});

// Queries that try many words: stems, related words, words longer than the index keeps.
const char* const kQueries[] = {"constructed", "reviews", "studies", "run", "i", "instructors", "xyz"};

class DictionaryLookupsTest : public ::testing::Test {
 protected:
  void Write(const std::string& bytes) {
    bytes_ = bytes;
    files_.Write(kName, bytes);
  }
  // Looks `query` up, expecting what a fresh literal reading gives, and
  // returns whether it read the whole file.
  bool CheckReadsWhole(const std::string& query, bool related = true) {
    const uint64_t before = files_.bytesRead();
    const LookupResult expected = exists_ ? reference::LookupWithRetryInBytes(bytes_, query, related)
                                          : reference::LookupWithRetry(kNoFile, query, related);
    const LookupResult got = lookups_.Lookup(query, related);
    EXPECT_EQ(got, expected) << query;
    EXPECT_EQ(got.unreadable.has_value(), !exists_) << "an unreadable dictionary said so: " << query;
    EXPECT_EQ(files_.openFiles(), 0) << "a file left open after looking up " << query;
    const uint64_t read = files_.bytesRead() - before;
    // Through what was kept: the rows shown, and a few pieces for words longer than the index keeps.
    if (read < bytes_.size()) EXPECT_LT(read, bytes_.size() / 4) << query;
    return read >= bytes_.size();
  }
  void Check(const std::string& query) { CheckReadsWhole(query); }

  MemoryFiles files_;
  DictionaryLookups lookups_{kName, files_, KeepLimits{fixture::kKeepAll}};
  std::string bytes_;
  bool exists_ = true;
};

TEST_F(DictionaryLookupsTest, AnUnchangedFileIsReadOnce) {
  Write(kWords);
  files_.Advance(kTimestampGranularity);
  EXPECT_TRUE(CheckReadsWhole("constructed"));
  for (const char* query : kQueries) {
    EXPECT_FALSE(CheckReadsWhole(query)) << query;
    EXPECT_FALSE(CheckReadsWhole(query, false)) << query;
  }
}

// Within a tick of its last write a file may yet change without its stamp
// changing, so what that read learned is not kept.
TEST_F(DictionaryLookupsTest, AFileWrittenWithinATickOfItsReadIsReadAgain) {
  Write(kWords);
  files_.Advance(kTimestampGranularity - 1);
  EXPECT_TRUE(CheckReadsWhole("run"));
  EXPECT_TRUE(CheckReadsWhole("run"));
  files_.Advance(1);
  EXPECT_TRUE(CheckReadsWhole("run"));
  EXPECT_FALSE(CheckReadsWhole("run"));
}

TEST_F(DictionaryLookupsTest, EveryChangeIsSeenByTheNextLookup) {
  struct Change {
    const char* what;
    dictionary::FileTime read;   // after the last write
    dictionary::FileTime after;  // the read
    std::function<void()> make;
  };
  // As long as kWords, with other headwords.
  std::string sameSize = kWords;
  sameSize.replace(sameSize.find("review"), 6, "rEVUEW");
  sameSize.replace(sameSize.find("construct"), 9, "konstruct");
  sameSize.replace(sameSize.find("running"), 7, "ronning");
  ASSERT_EQ(sameSize.size(), kWords.size());
  const dictionary::FileTime longAgo = kTimestampGranularity * 100;

  const Change changes[] = {
      {"written in place in the tick of the last write and the read, same size", 0, 0,
       [&] { Write(sameSize); }},
      {"written in place later, same size", kTimestampGranularity, 3 * kTimestampGranularity,
       [&] { Write(sameSize); }},
      {"replaced by another file of the same size and time", kTimestampGranularity, kTimestampGranularity,
       [&] {
         const dictionary::FileTime lastWrite = files_.LastWrite(kName);
         bytes_ = sameSize;
         files_.Replace(kName, sameSize);
         files_.SetLastWrite(kName, lastWrite);
       }},
      {"written in place with another size, its time then set back", kTimestampGranularity,
       kTimestampGranularity,
       [&] {
         const dictionary::FileTime lastWrite = files_.LastWrite(kName);
         Write(kWords + "run\tagain\r\n");
         files_.SetLastWrite(kName, lastWrite);
       }},
      {"replaced by an old file", kTimestampGranularity, kTimestampGranularity,
       [&] {
         bytes_ = kWords + "reviewer\tx\r\n";
         files_.Replace(kName, bytes_);
         files_.SetLastWrite(kName, files_.Now() - longAgo);
       }},
      {"a line lengthened past the piece limit", kTimestampGranularity, kTimestampGranularity,
       [&] { Write(std::string(dictionary::kMaxPieceLength + 3, 'r') + "\t\r\n" + kWords); }},
      {"a Ctrl+Z moved in front", kTimestampGranularity, kTimestampGranularity,
       [&] { Write("review\tfirst\r\n\x1A" + kWords); }},
      {"removed", kTimestampGranularity, kTimestampGranularity,
       [&] {
         files_.Remove(kName);
         exists_ = false;
       }},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.what);
    exists_ = true;
    Write(kWords);
    files_.Advance(change.read);
    for (const char* query : kQueries) Check(query);
    files_.Advance(change.after);
    change.make();
    for (const char* query : kQueries) Check(query);
    files_.Advance(kTimestampGranularity);
    for (const char* query : kQueries) Check(query);
  }
}

// A read error while putting pieces in order of their text leaves them for
// a later lookup, which finds them as a fresh reading does.
TEST_F(DictionaryLookupsTest, AReadErrorLeavesNothingWrongBehind) {
  Write(WithOthers({"restructure", "restrain", "restrict", "rest", "restless", "reviewer"}));
  files_.Advance(kTimestampGranularity);
  Check("rest");
  files_.FailReadsAtOffsets(true);
  lookups_.Lookup("restricted", false);
  files_.FailReadsAtOffsets(false);
  for (const char* query : {"restricted", "restrains", "rest", "restless"})
    EXPECT_FALSE(CheckReadsWhole(query));
}

// "00000word" to "<lines - 1>word", each with a meaning of `meaning` bytes.
std::string Numbered(int lines, size_t meaning) {
  std::string text;
  for (int i = 0; i < lines; ++i) {
    const std::string number = std::to_string(100000 + i).substr(1);
    text += number + "word\t" + std::string(meaning, 'm') + "\r\n";
  }
  return text;
}

TEST(KeptMemoryTest, AtMostATenthOfTheFile) {
  struct Case {
    const char* what;
    std::string dictionary;
    bool kept;
  };
  const Case cases[] = {
      {"lines as long as the real dictionaries'", Numbered(20000, 60), true},
      {"lines so short that nothing fits", Numbered(20000, 4), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryFiles files;
    files.Write(kName, c.dictionary);
    files.Advance(kTimestampGranularity);
    DictionaryLookups lookups(kName, files);
    for (int i = 0; i < 3; ++i) {
      const uint64_t before = files.bytesRead();
      EXPECT_EQ(lookups.Lookup("1234", true), reference::LookupWithRetryInBytes(c.dictionary, "1234", true));
      const uint64_t read = files.bytesRead() - before;
      if (i == 0 || !c.kept) {
        EXPECT_EQ(read, c.dictionary.size());
      } else {
        EXPECT_LT(read, 2000u) << "ten rows";
      }
      EXPECT_LE(lookups.KeptBytes(), c.dictionary.size() / 10);
      EXPECT_EQ(lookups.KeptBytes() > 0, c.kept);
    }
  }
}

}  // namespace
}  // namespace lookup
