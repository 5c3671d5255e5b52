// The inflection fallback: English endings cut off a word that found nothing.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace lookup {

// Tried in this order; each cut stays, so later endings are tested against
// the already shortened word. Nothing is added back after a cut.
inline constexpr std::array<std::string_view, 9> kInflectionSuffixes = {
    "'s", "ier", "er", "ies", "es", "s", "ied", "ed", "ing"};

// Cuts `suffix` off `word` when `word` is longer than it and ends with it
// (exact bytes, case-sensitive); says whether it did.
bool CutSuffix(std::string& word, std::string_view suffix);

// The stems the fallback tries for `query`, in order, when none of them finds
// anything: each the previous one with the next ending that applies cut off.
std::vector<std::string> InflectionStems(std::string_view query);

}  // namespace lookup
