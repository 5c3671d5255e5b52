#include "tests/support/dictionary_fixture.h"

#include <gtest/gtest.h>

#include "dictionary/dictionary_paths.h"
#include "lookup/dictionary_lookups.h"
#include "tests/support/memory_files.h"
#include "tests/support/reference_lookup.h"
#include "tests/support/reference_punctuation.h"

namespace lookup {

bool operator==(const ListFill& a, const ListFill& b) {
  return a.opened == b.opened && a.rows == b.rows && a.count == b.count && a.longestRow == b.longestRow;
}

bool operator==(const LookupResult& a, const LookupResult& b) {
  return a.shown == b.shown && a.lists == b.lists && a.listCounter == b.listCounter &&
         a.largestCount == b.largestCount;
}

void PrintTo(const ListFill& fill, std::ostream* out) {
  *out << "{opened=" << fill.opened << " count=" << fill.count << " longestRow=" << fill.longestRow << " rows=[";
  for (const std::string& row : fill.rows) *out << ::testing::PrintToString(row) << " ";
  *out << "]}";
}

void PrintTo(const LookupResult& result, std::ostream* out) {
  *out << "{shown=" << result.shown << " listCounter=" << result.listCounter
       << " largestCount=" << result.largestCount;
  for (size_t i = 0; i < result.lists.size(); ++i) {
    *out << " list" << i << "=";
    if (result.lists[i]) {
      PrintTo(*result.lists[i], out);
    } else {
      *out << "untouched";
    }
  }
  *out << "}";
}

namespace fixture {
namespace {

// A read that costs more than reading any file of a test whole.
constexpr uint64_t kReadsCostMore = uint64_t{1} << 40;

}  // namespace

TempDictionary::TempDictionary(std::string_view bytes) : path_(directory_.File(dictionary::kDictionaryFile)) {
  Rewrite(bytes);
}

void TempDictionary::Rewrite(std::string_view bytes) const { testsupport::WriteWholeFile(path_, std::string(bytes)); }

std::string Dictionary(const std::vector<std::string>& headwords) {
  std::string text;
  for (const std::string& headword : headwords) text += headword + "\tmeaning of " + headword + "\r\n";
  return text;
}

ListFill CheckedList(std::string_view dictionary, std::string_view word) {
  ListFill fromMemory = ListHeadwordInBytes(dictionary, word);
  TempDictionary file(dictionary);
  EXPECT_EQ(ListHeadword(file.path(), word), fromMemory) << "read from a file";
  EXPECT_EQ(reference::ListHeadword(file.path(), word), fromMemory) << "literal reference";
  return fromMemory;
}

LookupResult CheckedLookup(std::string_view dictionary, std::string_view query, bool related) {
  LookupResult fromMemory = LookupInBytes(dictionary, query, related);
  TempDictionary file(dictionary);
  EXPECT_EQ(Lookup(file.path(), query, related), fromMemory) << "read from a file";
  EXPECT_EQ(reference::LookupWithRetry(file.path(), query, related), fromMemory) << "literal reference";
  // Lookups that keep what a read learned: the one that reads, then one through what it kept,
  // with every byte the index may keep per piece, the rows read in stretches, and with none,
  // the rows read in a pass over the file.
  for (int keyBytes : {DictionaryIndex::kMostKeyBytes, 0}) {
    testsupport::MemoryFiles files(dictionary::kTimestampGranularity, keyBytes == 0 ? kReadsCostMore : 0);
    files.Write(dictionary::kDictionaryFile, std::string(dictionary));
    files.Advance(dictionary::kTimestampGranularity);
    DictionaryLookups lookups(dictionary::kDictionaryFile, files, KeepLimits{kKeepAll, keyBytes});
    EXPECT_EQ(lookups.Lookup(query, related), fromMemory)
        << "the lookup that reads, " << keyBytes << " key bytes";
    EXPECT_EQ(lookups.Lookup(query, related), fromMemory)
        << "through what it kept, " << keyBytes << " key bytes";
  }
  return fromMemory;
}

std::vector<std::string> Headwords(const ListFill& fill) {
  std::vector<std::string> headwords;
  for (const std::string& row : fill.rows) headwords.push_back(row.substr(0, row.find('\t')));
  return headwords;
}

}  // namespace fixture
}  // namespace lookup
