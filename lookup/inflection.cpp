#include "lookup/inflection.h"

namespace lookup {

bool CutSuffix(std::string& word, std::string_view suffix) {
  if (word.size() <= suffix.size()) return false;  // a stem is never empty
  if (std::string_view(word).substr(word.size() - suffix.size()) != suffix) return false;
  word.resize(word.size() - suffix.size());
  return true;
}

std::vector<std::string> InflectionStems(std::string_view query) {
  std::vector<std::string> stems;
  std::string word(query);
  for (std::string_view suffix : kInflectionSuffixes) {
    if (CutSuffix(word, suffix)) stems.push_back(word);
  }
  return stems;
}

}  // namespace lookup
