// The literal reference of the second try: where the reference lookup finds
// nothing, the reference lookup of its query buffer with the punctuation at
// its ends taken off. The punctuation is written out again here, so that a
// slip in the engine's table shows as a difference.
#pragma once

#include <string>
#include <string_view>

#include "lookup/lookup.h"

namespace lookup::reference {

// `word` taken apart into code page 932 characters, punctuation and white
// space dropped from both ends, ’ inside read as '; `word` itself when only punctuation.
std::string StripPunctuation(std::string_view word);

LookupResult LookupWithRetry(const std::string& path, std::string_view query, bool related);
LookupResult LookupWithRetryInBytes(std::string_view dictionary, std::string_view query, bool related);

}  // namespace lookup::reference
