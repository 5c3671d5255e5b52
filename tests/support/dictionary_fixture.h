// Shared by the lookup tests: dictionary files on disk, comparison and
// printing of results, and lookups checked against the literal reference.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/lookup.h"
#include "tests/support/temp_dir.h"

namespace lookup {

bool operator==(const ListFill& a, const ListFill& b);
bool operator==(const LookupResult& a, const LookupResult& b);
void PrintTo(const ListFill& fill, std::ostream* out);
void PrintTo(const LookupResult& result, std::ostream* out);

namespace fixture {

// Lookups that keep all they learn, however small the file.
inline constexpr double kKeepAll = 1e9;

// A dictionary file in a fresh temporary directory, removed with it.
class TempDictionary {
 public:
  explicit TempDictionary(std::string_view bytes);

  const std::string& path() const { return path_; }
  std::string directory() const { return directory_.Path(); }
  void Rewrite(std::string_view bytes) const;

 private:
  testsupport::TempDir directory_;
  std::string path_;
};

// A dictionary of "headword TAB meaning" lines ending with CR LF.
std::string Dictionary(const std::vector<std::string>& headwords);

// The engine's listing of `word` from memory; the same listing from a file and
// the literal reference's must equal it.
ListFill CheckedList(std::string_view dictionary, std::string_view word);

// The engine's lookup from memory, checked the same way (the reference with
// its second try for text copied with punctuation), and by the lookups that
// keep what they read, through what they kept too.
LookupResult CheckedLookup(std::string_view dictionary, std::string_view query, bool related);

// The words whose lines a list shows: each row up to its first TAB.
std::vector<std::string> Headwords(const ListFill& fill);

}  // namespace fixture
}  // namespace lookup
