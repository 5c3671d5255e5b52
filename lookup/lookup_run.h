// The steps of one lookup, apart from how a word is listed: which words it
// tries, in which order, and into which list each goes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lookup/list_feed.h"
#include "lookup/lookup.h"

namespace lookup {

// Every word a lookup of one query may try, known before the dictionary is
// read. The run below tries words of the plan only, in its order.
struct LookupPlan {
  // The query (normalised, not empty), then each inflection stem in the order
  // the fallback cuts them; the run stops at the first that finds anything.
  std::vector<std::string> chain;
  // With related words, the candidates of each word of the chain, in the
  // order tried; the run uses those of the word it stopped at. Else empty.
  std::vector<std::vector<std::string>> candidates;

  // Every word above, each once.
  std::vector<std::string> Words() const;
};

LookupPlan PlanLookup(const std::string& query, bool related);

// Lists words: what a fresh read of the dictionary would give for each.
class WordLister {
 public:
  virtual ~WordLister() = default;
  virtual int32_t Count(std::string_view word) = 0;
  virtual ListFeed Feed(std::string_view word) = 0;
};

// The dictionary could not be opened: every list is emptied and left unsized.
class UnopenedLister : public WordLister {
 public:
  int32_t Count(std::string_view) override { return 0; }
  ListFeed Feed(std::string_view) override { return ListFeed{}; }
};

// Lists the chain into list 0 until a word finds something and, with related
// words, the candidates that find something into lists 1 to 4.
LookupFeeds RunLookup(const LookupPlan& plan, WordLister& lister);

}  // namespace lookup
