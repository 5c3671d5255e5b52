// Words that are no headword but stand for one: a compound written closed
// ("builtin" of "built-in", "timezone" of "time zone"), a clipped word
// ("info" of "information"), a word that says "not" with "un" or "non"
// ("unprivileged", "nonempty", "unset") and a word derived from another
// ("positional" of "position", "redistribute" of "redistribution"), the
// clippings and derivations as WordNet relates them. A reader who copies one
// is shown the headword's meaning.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "english_forms.h"

namespace import {

struct RelatedReading {
  std::string word;
  std::string headword;
  FormKind kind;  // kVariant, kClipping, kOpposite, or the derived word's kind
  PartOfSpeech pos, headwordPos;
  std::string shown = {};  // what the line names instead: "quoted" of "unquoted", the headword "quote"
};

// The one reading of each word related to a key of `headwords` that is none
// itself: a variant before a clipping before an opposite before a
// derivation, a derivation from the headword that shares most of its letters.
std::vector<RelatedReading> RelatedWordsOf(const EnglishForms& forms,
                                           const std::unordered_map<std::string_view, size_t>& headwords);

// Whether `a` and `b` are one compound written two ways: the same letters,
// with spaces or hyphens between some.
bool SameCompound(std::string_view a, std::string_view b);

// Whether `word` is `other` with "un" or "non" before it.
bool SaysNot(std::string_view word, std::string_view other);

// Whether `derived` shares the stem of `headword`: all their letters but the
// last three or so of the shorter, "redistribut" of "redistribute" and
// "redistribution"; not "clarity" and "clear".
bool SharesStem(std::string_view derived, std::string_view headword);

}  // namespace import
