#include "dictionary/dictionary_line.h"

#include "dictionary/line_feeds.h"

namespace dictionary {

// The field holds no ']' but the closing one: a ']' byte may be the second
// byte of a double-byte character, and a meaning that merely begins with
// "[名]" must never be taken for a pronunciation.
size_t PronunciationField(std::string_view rest) {
  if (rest.empty() || rest.front() != '[') return 0;
  const size_t tab = rest.find('\t');
  if (tab == std::string_view::npos || tab < 2) return 0;
  const size_t close = rest.find(']');
  return close == tab - 1 ? tab + 1 : 0;
}

std::string_view RowText(std::string_view line) {
  // Two scans for one byte each are faster than one for either.
  const size_t semicolon = FindByte(line.data(), line.size(), ';');
  return line.substr(0, FindByte(line.data(), semicolon, '\0'));
}

}  // namespace dictionary
