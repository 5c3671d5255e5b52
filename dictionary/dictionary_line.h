// What a line of the dictionary is: a headword, up to the first TAB that
// follows some other byte (TABs at the very start belong to it), then the
// rest; the row a list shows for it; and how headwords compare. Bytes only: a
// TAB or ';' byte never occurs inside a double-byte character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dictionary {

// The dictionary's code page, Shift-JIS: how its bytes become Unicode text and
// back where they meet the system's Unicode (the clipboard, the lists).
inline constexpr unsigned kDictionaryCodePage = 932;

// The one row of a list when nothing matched; it is no dictionary line.
inline constexpr std::string_view kUnknownRow = "Unknown";

// Where the TAB that ends the headword of `line` stands; npos when the line
// is all headword.
inline size_t HeadwordEnd(std::string_view line) {
  const size_t first = line.find_first_not_of('\t');
  return first == std::string_view::npos ? std::string_view::npos : line.find('\t', first);
}

// A line that is empty or holds only TABs (up to a zero byte, which ends
// its text) has no headword and matches no word.
inline bool IsBlank(std::string_view line) {
  const size_t first = line.find_first_not_of('\t');
  return first == std::string_view::npos || line[first] == '\0';
}
// Bytes of the pronunciation field at the start of `rest` (what follows the
// headword's TAB): "[" pronunciation "]" TAB; 0 when `rest` begins with none.
// A registration writes it; the reader gives it no meaning of its own.
size_t PronunciationField(std::string_view rest);

// The text a matching line shows as a row: cut before its first ';', or
// before a zero byte, which ends a line's text.
std::string_view RowText(std::string_view line);

// Headwords are compared ignoring the case of A to Z only; every other byte,
// a trail byte of a double-byte character too, equals only itself.
inline unsigned char FoldAsciiCase(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

inline std::string FoldedText(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = static_cast<char>(FoldAsciiCase(static_cast<unsigned char>(c)));
  return folded;
}

}  // namespace dictionary
