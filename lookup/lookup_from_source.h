// The lookup over any source of dictionary bytes; lookup.h's entry points read
// the file or memory through these. Tests and the fuzz target use them to put
// the reader's block boundaries anywhere.
#pragma once

#include <string_view>

#include "byte_source.h"
#include "lookup.h"

namespace lookup {

ListFill ListHeadwordFrom(ByteSource& source, std::string_view word);
LookupResult LookupFrom(ByteSource& source, std::string_view query, bool related);

}  // namespace lookup
