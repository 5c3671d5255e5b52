#include "lookup/related_words.h"

#include <array>

namespace lookup {
namespace {

struct PrefixGroup {
  std::string_view prefix;
  std::array<std::string_view, 7> replacements;  // in order; unused entries empty
};

// Families {in, im}, {con, com}, {de}, {sub, sus}, {re}: a group never tries
// its own family, and de and sub/sus are never exchanged. Group 8 tries sus
// before sub. No prefix begins another, so at most one group applies.
constexpr std::array<PrefixGroup, 8> kPrefixGroups = {{
    {"in", {"con", "com", "de", "sub", "sus", "re"}},
    {"im", {"con", "com", "de", "sub", "sus", "re"}},
    {"con", {"in", "im", "de", "sub", "sus", "re"}},
    {"com", {"in", "im", "de", "sub", "sus", "re"}},
    {"de", {"in", "im", "con", "com", "re"}},
    {"sub", {"in", "im", "con", "com", "re"}},
    {"sus", {"in", "im", "con", "com", "re"}},
    {"re", {"in", "im", "con", "com", "de", "sus", "sub"}},
}};

}  // namespace

std::vector<std::string> RelatedCandidates(std::string_view word) {
  std::vector<std::string> candidates;
  for (const PrefixGroup& group : kPrefixGroups) {
    if (word.size() <= group.prefix.size() || word.substr(0, group.prefix.size()) != group.prefix) continue;
    std::string_view stem = word.substr(group.prefix.size());
    for (std::string_view replacement : group.replacements) {
      if (replacement.empty()) break;
      if (replacement.size() + stem.size() > kCandidateCapacity) continue;
      std::string candidate(replacement);
      candidate += stem;
      candidates.push_back(std::move(candidate));
    }
  }
  return candidates;
}

}  // namespace lookup
