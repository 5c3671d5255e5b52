// The lookups of one dictionary file, one after another: what reading the
// file learns is kept for the next lookup, which reads it again only if the
// file may have changed. The file is opened for each lookup and closed before
// it returns, so the registration and the user's editor may replace or write
// it between lookups; the next lookup then sees the change.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "dictionary/file_stamp.h"
#include "dictionary/read_only_file.h"
#include "lookup/dictionary_index.h"
#include "lookup/lookup.h"

namespace lookup {

// How much of a read is kept.
struct KeepLimits {
  double shareOfFile = 0.10;                      // of the file's size, in memory
  int keyBytes = DictionaryIndex::kMostKeyBytes;  // folded bytes per piece, at most
};

class DictionaryLookups {
 public:
  DictionaryLookups(std::string path, dictionary::ReadOnlyFiles& files, KeepLimits limits = {});

  // What lookup::Lookup gives for the file as it is now.
  LookupResult Lookup(std::string_view query, bool related);

  // Memory kept between lookups.
  size_t KeptBytes() const;

 private:
  // What the last read learned. Without an index the file is read at every
  // lookup, but no index is made for it again while it stays as it was.
  struct Kept {
    dictionary::FileRead read;
    std::optional<DictionaryIndex> index;
  };

  std::string path_;
  dictionary::ReadOnlyFiles& files_;
  KeepLimits limits_;
  std::optional<Kept> kept_;
};

}  // namespace lookup
