// The literal reference of the lookup: one fresh pass over the file per word,
// fgets into a cleared 10240-byte buffer, fixed C buffers for the query and
// the candidates. Slow, and meant to be: the fast engine must give exactly
// what it gives. Its tables are written out again here, so that a slip in the
// engine's tables shows as a difference.
#pragma once

#include <string>
#include <string_view>

#include "lookup/lookup.h"

namespace lookup::reference {

ListFill ListHeadword(const std::string& path, std::string_view word);
ListFill ListHeadwordInBytes(std::string_view dictionary, std::string_view word);

// `passes`, when given, receives the number of passes over the file (words tried).
LookupResult Lookup(const std::string& path, std::string_view query, bool related, int* passes = nullptr);
LookupResult LookupInBytes(std::string_view dictionary, std::string_view query, bool related,
                           int* passes = nullptr);

}  // namespace lookup::reference
