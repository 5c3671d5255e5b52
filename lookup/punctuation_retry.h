// The second try of a lookup: text copied with its punctuation that finds
// nothing as given is looked up again without it. Where the query as given
// finds anything, the result is that of the query as given, untouched.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lookup/lookup_run.h"

namespace lookup {

struct RetryPlan {
  LookupPlan asGiven;
  // The lookup of the query without its punctuation, as if that had been
  // copied; none when stripping leaves it as it is or leaves nothing to look up.
  std::optional<LookupPlan> stripped;

  // Every word of both, each once: one read of the dictionary serves both.
  std::vector<std::string> Words() const;
};

// `query` is normalised and not empty. The strip works on it, the query as
// the first try looked it up (its first 127 bytes, trimmed), not on the
// whole text that was copied.
RetryPlan PlanLookupWithRetry(const std::string& query, bool related);

// The first try; and the second when the first found nothing in a dictionary
// that could be read (every list it filled shows only "Unknown").
LookupFeeds RunLookupWithRetry(const RetryPlan& plan, WordLister& lister);

}  // namespace lookup
