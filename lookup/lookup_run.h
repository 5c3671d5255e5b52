// The steps of one lookup, apart from how a word is listed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lookup/lookup.h"

namespace lookup {

// Lists words: what a fresh read of the dictionary would give for each.
class WordLister {
 public:
  virtual ~WordLister() = default;
  virtual int32_t Count(std::string_view word) = 0;
  virtual ListFill Fill(std::string_view word) = 0;
};

// Every word that RunLookup may try for `query` (normalised, not empty): the
// query, its stems, and with `related` the candidates of each of them.
std::vector<std::string> WordsTried(const std::string& query, bool related);

// Lists `query` (normalised, not empty) into list 0, falls back on its stems,
// and with `related` lists the related words found into lists 1 to 4.
LookupResult RunLookup(const std::string& query, bool related, WordLister& lister);

}  // namespace lookup
