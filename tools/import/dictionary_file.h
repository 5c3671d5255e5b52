// Dictionary lines as written: code page 932 bytes, "headword TAB meaning",
// CR LF, in a deterministic order, put in place as the program replaces its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/text_mode_reader.h"

namespace import {

struct DictionaryLine {
  std::string headword;  // code page 932, no TAB, no ';', not empty
  std::string meaning;   // code page 932, no ';'
};

// The program reads a line in pieces of at most kMaxPieceLength bytes, its LF
// (which CR LF reads as) included, each piece taken for a line of its own: no
// line may be longer than one piece.
inline constexpr size_t kLongestLineText = dictionary::kMaxPieceLength - 1;

// The meaning made of `pieces` joined by `separator`, leaving out the trailing
// pieces that would make the line longer than kLongestLineText; `shortened`
// tells whether any was left out. Empty when not even the first piece fits.
std::string JoinWithinLine(std::string_view headword, const std::vector<std::string>& pieces,
                           std::string_view separator, bool& shortened);

// Sorts by headword, ignoring ASCII case, a small letter before its capital:
// the plain word comes before its extensions ("run", "run away", "runaway"),
// and "apple" before "Apple". Lines of one headword keep their order.
void SortByHeadword(std::vector<DictionaryLine>& lines);
// The order SortByHeadword puts headwords in.
bool HeadwordBefore(std::string_view a, std::string_view b);

// Writes `lines` to `path` through a work file beside it (`path`.next) that is
// flushed to disk and renamed into place, so `path` is either untouched or
// complete; a file already at `path` is kept as `path`.bak. Returns the bytes
// written. Throws ImportError naming the file.
uint64_t WriteDictionary(const std::string& path, const std::vector<DictionaryLine>& lines);

}  // namespace import
