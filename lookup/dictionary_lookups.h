// The lookups of one dictionary file, one after another: what reading the
// file learns is kept for the next lookup, which reads it again only if the
// file may have changed. The file is opened for each lookup (and for each
// later read of its rows) and closed before it returns, so the registration
// and the user's editor may replace or write it between lookups; the next
// lookup then sees the change.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dictionary/file_stamp.h"
#include "dictionary/read_only_file.h"
#include "lookup/dictionary_index.h"
#include "lookup/list_feed.h"
#include "lookup/lookup.h"
#include "lookup/work_budget.h"

namespace lookup {

// How much of a read is kept.
struct KeepLimits {
  double shareOfFile = 0.10;                      // of the file's size, in memory
  int keyBytes = DictionaryIndex::kMostKeyBytes;  // folded bytes per piece, at most
};

class DictionaryLookups {
 public:
  DictionaryLookups(std::string path, dictionary::ReadOnlyFiles& files, KeepLimits limits = {});

  // What lookup::Lookup gives for the file as it is now. What the read
  // learned is kept in full before it returns.
  LookupResult Lookup(std::string_view query, bool related);

  // The same lookup, its rows read when they are wanted. A file read anew
  // costs one pass that keeps only the rows: what the next lookups need of
  // it is gathered afterwards, by ContinueIndex.
  LookupFeeds Start(std::string_view query, bool related);

  // Whether looking `query` up now would give what the last lookup gave:
  // the same query and check box, and the file as that lookup found it.
  bool WouldRepeat(std::string_view query, bool related);

  // Goes on gathering what the next lookups need of the file the last one
  // read, and putting it in order, while `budget` allows; false once there
  // is nothing left to do. Work made stale by a changed file is dropped.
  bool ContinueIndex(WorkBudget& budget);

  // Memory kept between lookups.
  size_t KeptBytes() const;

 private:
  LookupFeeds StartLookup(std::string_view query, bool related, bool indexNow);
  std::optional<DictionaryIndex> Finish(DictionaryIndex::Builder& builder, uint64_t fileSize) const;

  // What the last read learned. Without an index the file is read at every
  // lookup, but no index is made for it again while it stays as it was.
  struct Kept {
    dictionary::FileRead read;
    std::optional<DictionaryIndex> index;
  };
  // An index gathered a step at a time: the pieces from `next` on are still to come.
  struct Indexing {
    explicit Indexing(uint64_t fileSize) : builder(fileSize) {}
    DictionaryIndex::Builder builder;
    uint64_t next = 0;
  };
  struct LastLookup {
    std::string query;  // normalised
    bool related = false;
  };

  std::string path_;
  dictionary::ReadOnlyFiles& files_;
  KeepLimits limits_;
  std::optional<Kept> kept_;
  std::optional<Indexing> indexing_;  // only while kept_ has no index yet
  std::optional<LastLookup> last_;
};

}  // namespace lookup
