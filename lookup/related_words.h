// Related words: the query with its Latin prefix exchanged for another.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lookup {

// The longest candidate tried, as long as the longest query; a longer one is skipped.
inline constexpr size_t kCandidateCapacity = 127;

// The candidates for `word`, in the order they are tried: for each prefix
// group that applies (the word is longer than its prefix and begins with it,
// case-sensitive), each replacement prefix followed by the rest of the word.
std::vector<std::string> RelatedCandidates(std::string_view word);

}  // namespace lookup
