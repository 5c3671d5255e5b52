// The files of a StarDict dictionary. FILE.ifo describes it; beside it stand
// FILE.idx or FILE.idx.gz (the headwords, each with where its text lies),
// FILE.dict or FILE.dict.dz (the texts; dictzip is gzip with an extra field)
// and, optionally, FILE.syn (further headwords for the entries).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace import {

struct StardictPaths {
  std::string ifo, idx, dict;
  std::string syn;  // empty when there is none

  // Where the .syn would stand.
  std::string SynonymsBeside() const;
};

// The files beside `ifoPath`. Throws ImportError when it does not name an
// .ifo file or when the .idx or the .dict is missing.
StardictPaths FindStardictFiles(const std::string& ifoPath);

// The contents of `path`, decompressed when its name ends with ".gz" or ".dz".
std::string ReadStardictFile(const std::string& path);

struct StardictInfo {
  std::string path;  // of the .ifo, for messages
  std::string bookname;
  uint64_t wordCount = 0;
  std::optional<uint64_t> synonymCount;
  int offsetBits = 32;           // of the offsets in the .idx
  std::string sameTypeSequence;  // the field types of every entry, when all share them
};

// Throws ImportError naming `path` (and the line) when `text` is no .ifo or
// lacks what an import needs.
StardictInfo ParseStardictInfo(const std::string& path, std::string_view text);

struct StardictIndexEntry {
  std::string_view word;  // within the .idx bytes
  uint64_t offset;        // of its text in the .dict
  uint32_t size;
};

// All entries of the .idx, as many as the .ifo gives. Throws ImportError
// naming `path` and the entry when the file is cut short or holds more.
std::vector<StardictIndexEntry> ParseStardictIndex(const std::string& path, std::string_view bytes,
                                                   const StardictInfo& info);

struct StardictSynonym {
  std::string_view word;  // within the .syn bytes
  uint32_t entry;         // index into the .idx entries, from 0
};

// All synonyms of the .syn. Throws ImportError naming `path` and the synonym
// when the file is cut short or a synonym points past the `entries`.
std::vector<StardictSynonym> ParseStardictSynonyms(const std::string& path, std::string_view bytes,
                                                   size_t entries);

}  // namespace import
