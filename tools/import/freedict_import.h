// Import of a dictd English-Japanese dictionary (.index and .dict.dz) such as
// Debian's FreeDict one: one line per headword, its senses joined.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "import_report.h"

namespace import {

inline constexpr char kFreedictIndex[] = "/usr/share/dictd/freedict-eng-jpn.index";
inline constexpr char kFreedictData[] = "/usr/share/dictd/freedict-eng-jpn.dict.dz";

// One dictd entry as the FreeDict data shapes it:
//   headword /pronunciation/ ... <pos>
//   1. 訳語, 訳語          (a sense; unnumbered when it is the only one)
//   English gloss         (optional)
//    2.                   (a further gloss of the same sense follows)
//   English gloss
struct FreedictSense {
  std::vector<std::string> japanese;
  std::vector<std::string> glosses;
};
struct FreedictEntry {
  std::string headword;
  std::string pos;
  std::vector<FreedictSense> senses;  // only senses with a Japanese meaning
  int sensesWithoutJapanese = 0;
};
FreedictEntry ParseFreedictEntry(std::string_view text);

// Reads both files and makes the sorted lines. Throws ImportError naming the
// file when one is missing or damaged.
Imported ImportFreedict(const std::string& indexPath, const std::string& dataPath,
                        const ImportSettings& settings = {});

}  // namespace import
