// A dictionary file made into a StarDict dictionary: each line an entry of
// plain text ('m') in UTF-8, in StarDict's order of headwords.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary_line.h"
#include "import_checks.h"
#include "stardict_writer.h"

namespace import_test {

inline std::vector<StardictEntry> StardictEntriesOf(const std::string& dictionary) {
  std::vector<StardictEntry> entries;
  std::string_view rest = dictionary;
  while (!rest.empty()) {
    size_t end = rest.find("\r\n");
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
    const size_t tab = dictionary::HeadwordEnd(line);
    if (tab == std::string_view::npos) continue;
    entries.push_back({Utf8(std::string(line.substr(0, tab))), Utf8(std::string(line.substr(tab + 1)))});
  }
  std::stable_sort(entries.begin(), entries.end(), [](const StardictEntry& a, const StardictEntry& b) {
    return StardictLess(a.word, b.word);
  });
  return entries;
}

}  // namespace import_test
