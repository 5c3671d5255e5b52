// Dictionary lines as written: code page 932 bytes, "headword TAB meaning",
// CR LF, in a deterministic order, replaced atomically.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace import {

struct DictionaryLine {
  std::string headword;  // code page 932, no TAB, no ';', not empty
  std::string meaning;   // code page 932, no ';'
};

// The reader takes a line into a 10240-byte buffer: at most 10239 bytes with
// the LF that CR LF reads as. A longer line would be read in pieces, each taken
// for a line of its own, so no line may be longer.
inline constexpr size_t kLongestLineText = 10240 - 1 - 1;

// The meaning made of `pieces` joined by `separator`, leaving out the trailing
// pieces that would make the line longer than kLongestLineText; `shortened`
// tells whether any was left out. Empty when not even the first piece fits.
std::string JoinWithinLine(std::string_view headword, const std::vector<std::string>& pieces,
                           std::string_view separator, bool& shortened);

// Sorts by headword, ignoring ASCII case, a small letter before its capital:
// the plain word comes before its extensions ("run", "run away", "runaway"),
// and "apple" before "Apple".
void SortByHeadword(std::vector<DictionaryLine>& lines);

// Writes `lines` to `path` through a temporary file in the same directory that
// is flushed to disk and renamed into place, so `path` is either untouched or
// complete. Returns the bytes written. Throws ImportError naming the file.
uint64_t WriteDictionary(const std::string& path, const std::vector<DictionaryLine>& lines);

}  // namespace import
