// The lookup over any source of dictionary bytes; lookup.h's entry points read
// the file or memory through these. Tests and the fuzz target use them to put
// the reader's block boundaries anywhere.
#pragma once

#include <string_view>

#include "dictionary/byte_source.h"
#include "lookup/lookup.h"

namespace lookup {

ListFill ListHeadwordFrom(dictionary::ByteSource& source, std::string_view word);
LookupResult LookupFrom(dictionary::ByteSource& source, std::string_view query, bool related);

}  // namespace lookup
