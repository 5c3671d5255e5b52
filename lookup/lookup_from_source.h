// The lookup over any source of dictionary bytes; lookup.h's entry points read
// the file or memory through these. Tests and the fuzz target use them to put
// the reader's block boundaries anywhere.
#pragma once

#include <string_view>

#include "dictionary/byte_source.h"
#include "lookup/list_feed.h"
#include "lookup/lookup.h"
#include "lookup/punctuation_retry.h"

namespace lookup {

ListFill ListHeadwordFrom(dictionary::ByteSource& source, std::string_view word);
LookupResult LookupFrom(dictionary::ByteSource& source, std::string_view query, bool related);

// The planned lookup in one pass over `source`; its rows are kept in memory.
LookupFeeds ScannedLookup(const RetryPlan& plan, dictionary::ByteSource& source);
// The planned lookup of a dictionary that can't be opened: the lists are
// emptied and nothing is found, so the punctuation is never tried without.
LookupFeeds UnreadableLookup(const RetryPlan& plan);

}  // namespace lookup
