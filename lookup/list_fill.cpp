// What one listing of a word leaves in a list, row by row.
#include <algorithm>

#include "dictionary/dictionary_line.h"
#include "lookup/lookup.h"

namespace lookup {

void ListFill::AddMatch(std::string_view text) {
  rows.emplace_back(dictionary::RowText(text));
  longestRow = std::max(longestRow, static_cast<int32_t>(rows.back().size()));
  ++count;
}

void ListFill::EndMatches() {
  if (count != 0) return;
  rows.emplace_back(dictionary::kUnknownRow);
  longestRow = std::max(longestRow, static_cast<int32_t>(dictionary::kUnknownRow.size()));
}

}  // namespace lookup
