#include "lookup/query_normalisation.h"

namespace lookup {

std::string_view UpToZeroByte(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

std::string NormaliseQuery(std::string_view query) {
  std::string buffer(UpToZeroByte(query).substr(0, kQueryCapacity));
  // Exactly two tests, each made once: text copied with a trailing blank or a
  // cell's TAB still finds its word, and nothing else is taken away.
  if (!buffer.empty() && buffer.back() == ' ') buffer.pop_back();
  if (!buffer.empty() && buffer.back() == '\t') buffer.pop_back();
  return buffer;
}

}  // namespace lookup
