// The parts of speech of English words, WordNet's four first, in the order
// of its files.
#pragma once

#include <cstdint>

namespace import {

enum class PartOfSpeech : uint8_t { kNoun, kVerb, kAdjective, kAdverb, kPronoun, kArticle };

}  // namespace import
