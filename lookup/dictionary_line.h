// The parts of a dictionary line: the headword, up to the first TAB that
// follows some other byte (TABs at the very start belong to it), then the
// rest; and the row a list shows for it. Bytes only: a TAB or ';' byte never
// occurs inside a double-byte character.
#pragma once

#include <cstddef>
#include <string_view>

namespace lookup {

// Where the TAB that ends the headword of `line` stands; npos when the line
// is all headword.
inline size_t HeadwordEnd(std::string_view line) {
  const size_t first = line.find_first_not_of('\t');
  return first == std::string_view::npos ? std::string_view::npos : line.find('\t', first);
}

// The text a matching line shows as a row: cut before its first ';', or
// before a zero byte, which ends a line's text.
std::string_view RowText(std::string_view line);

}  // namespace lookup
