#include "related_words.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <tuple>

#include "text_util.h"

namespace import {
namespace {

constexpr size_t kShortestStem = 3, kEndingLetters = 3;

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsSeparator(char c) { return c == ' ' || c == '-'; }

// Words of a compound, written with spaces, whose closed form is often
// another word: "a verse" (averse), "be set" (beset), and a verb with its
// particle, whose closed form is a noun of another sense ("close up",
// "catch up"). With a hyphen they are one word already ("built-in").
constexpr size_t kShortestSpacedWord = 3, kShortestWord = 2;  // "c-o" is no "co"
constexpr std::string_view kParticles[] = {"about", "along", "apart", "around", "aside",   "away", "back",
                                           "down",  "off",   "out",   "over",   "through", "up"};

// Small letters, spaces or hyphens between words: "built-in", "time zone".
bool IsCompound(std::string_view headword) {
  const bool spaced = headword.find(' ') != std::string_view::npos;
  size_t word = 0;  // where the current word begins
  for (size_t i = 0; i <= headword.size(); ++i) {
    if (i < headword.size() && IsLower(headword[i])) continue;
    if (i < headword.size() && !IsSeparator(headword[i])) return false;
    const std::string_view w = headword.substr(word, i - word);
    const bool last = i == headword.size();
    if (w.size() < kShortestWord || (spaced && w.size() < kShortestSpacedWord) ||
        (spaced && last &&
         std::find(std::begin(kParticles), std::end(kParticles), w) != std::end(kParticles)))
      return false;
    word = i + 1;
  }
  return headword.find_first_of(" -") != std::string_view::npos;
}

std::string Replaced(std::string_view text, char from, char to) {
  std::string out(text);
  std::replace(out.begin(), out.end(), from, to);
  return out;
}

std::string Closed(std::string_view compound) {
  std::string closed;
  for (char c : compound)
    if (!IsSeparator(c)) closed.push_back(c);
  return closed;
}

// Lower-case letters, hyphens between them: the words a derivation is kept for.
bool IsPlainWord(std::string_view word) {
  return !word.empty() && IsLower(word.front()) && IsLower(word.back()) &&
         std::all_of(word.begin(), word.end(), [](char c) { return IsLower(c) || c == '-'; });
}

// "un" and "non" say "not" before an adjective that ends as most do and
// before a past participle ("unprivileged", "nonempty"; "unless" is no such
// word), and undo a verb ("unset"). A word WordNet has as an adjective is
// one however it ends ("unsafe").
constexpr std::string_view kNotPrefixes[] = {"un", "non"};
constexpr std::string_view kAdjectiveEndings[] = {"able", "al",  "ant",  "ar",  "ary", "ed",
                                                  "ent",  "ful", "ible", "ic",  "ile", "ing",
                                                  "ish",  "ive", "ory",  "ous", "y"};

FormKind DerivedKind(PartOfSpeech pos) {
  switch (pos) {
    case PartOfSpeech::kVerb:
      return FormKind::kVerbForm;
    case PartOfSpeech::kAdjective:
      return FormKind::kAdjectiveForm;
    case PartOfSpeech::kAdverb:
      return FormKind::kAdverb;
    default:
      return FormKind::kNounForm;
  }
}

// Derivations whose meaning drifts from their base's as often as not: a noun
// in "-er" of a verb names something else ("skipper", "hopper"), an
// adjective in "-y" says something else ("catty", "nutty", "sketchy").
bool Drifts(const RelatedWord& r) {
  return (r.pos == PartOfSpeech::kNoun && r.otherPos == PartOfSpeech::kVerb && EndsWith(r.word, "er")) ||
         (r.pos == PartOfSpeech::kAdjective && EndsWith(r.word, "y"));
}

// A word that shares a synset with itself and an ending is its derivation,
// not its clipping: "regress" of "regression", "murk" of "murkiness", "clop"
// of "clopping"; nor is a word with another after a hyphen ("teary-eyed").
constexpr std::string_view kDerivingEndings[] = {"able", "ance", "ant",  "ation", "ence", "ent",
                                                 "ible", "ing",  "ion",  "ism",   "ist",  "ity",
                                                 "ive",  "ment", "ness", "ous"};
bool IsDerivingEnding(std::string_view s) {
  return std::find(std::begin(kDerivingEndings), std::end(kDerivingEndings), s) != std::end(kDerivingEndings);
}
bool IsClipping(const RelatedWord& r) {
  const std::string_view rest = std::string_view(r.other).substr(r.word.size());
  // An ending may follow a doubled consonant or the "i" of a "y".
  const bool joined = rest.size() > 1 && (rest[0] == r.word.back() || rest[0] == 'i');
  return rest[0] != '-' && !IsDerivingEnding(rest) && !(joined && IsDerivingEnding(rest.substr(1)));
}

size_t CommonPrefix(std::string_view a, std::string_view b) {
  size_t n = 0;
  while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
  return n;
}

}  // namespace

bool SameCompound(std::string_view a, std::string_view b) { return a != b && Closed(a) == Closed(b); }

bool SaysNot(std::string_view word, std::string_view other) {
  return std::any_of(std::begin(kNotPrefixes), std::end(kNotPrefixes), [&](std::string_view prefix) {
    return word.size() == prefix.size() + other.size() && StartsWith(word, prefix) && EndsWith(word, other);
  });
}

bool SharesStem(std::string_view derived, std::string_view headword) {
  const size_t shorter = std::min(derived.size(), headword.size());
  return CommonPrefix(derived, headword) >=
         std::max(kShortestStem, shorter > kEndingLetters ? shorter - kEndingLetters : 0);
}

std::vector<RelatedReading> RelatedWordsOf(const EnglishForms& forms,
                                           const std::unordered_map<std::string_view, size_t>& headwords) {
  // The best reading of each word so far, and how good it is: smaller first.
  std::map<std::string, std::pair<std::tuple<int, size_t, int32_t, std::string>, RelatedReading>> best;
  auto offer = [&](RelatedReading reading, int rank, size_t shared, int32_t frequency) {
    if (headwords.count(reading.word)) return;
    auto key = std::make_tuple(rank, std::string::npos - shared, -frequency, reading.headword);
    auto [it, added] = best.try_emplace(reading.word, key, reading);
    if (!added && key < it->second.first) it->second = {std::move(key), std::move(reading)};
  };

  for (const auto& [headword, line] : headwords) {
    if (!IsCompound(headword)) continue;
    std::optional<PartOfSpeech> compoundPos =
        forms.MainPartOf(Replaced(headword, ' ', '_'));  // WordNet's way
    if (!compoundPos) {
      // The compound's last word is what it is: "super user" is a noun.
      const size_t last = headword.find_last_of(" -");
      if (forms.MainPartOf(std::string(headword.substr(last + 1))) == PartOfSpeech::kNoun)
        compoundPos = PartOfSpeech::kNoun;
    }
    std::vector<std::string> spellings{Closed(headword)};
    if (headword.find(' ') != std::string_view::npos) spellings.push_back(Replaced(headword, ' ', '-'));
    for (const std::string& spelling : spellings) {
      if (!forms.IsWord(spelling)) continue;
      const std::optional<PartOfSpeech> pos = forms.MainPartOf(spelling);
      if (!pos && !compoundPos) continue;
      const PartOfSpeech shown = pos ? *pos : *compoundPos;
      offer({spelling, std::string(headword), FormKind::kVariant, shown, compoundPos.value_or(shown)}, 0,
            spelling.size(), 0);
    }
  }

  for (std::string_view prefix : kNotPrefixes) {
    for (const std::string& word : forms.WordsBeginningWith(prefix)) {
      const std::string rest = word.substr(prefix.size());
      if (rest.size() < kShortestStem || !IsPlainWord(word) || !IsLower(rest.front())) continue;
      if (headwords.count(rest)) {
        const bool verb = forms.IsLemmaOf(rest, {PartOfSpeech::kVerb});
        const bool adjective = forms.IsLemmaOf(rest, {PartOfSpeech::kAdjective}) &&
                               (forms.IsLemmaOf(word, {PartOfSpeech::kAdjective}) ||
                                std::any_of(std::begin(kAdjectiveEndings), std::end(kAdjectiveEndings),
                                            [&](std::string_view e) { return EndsWith(rest, e); }));
        if (!verb && !adjective) continue;
        const PartOfSpeech pos = adjective ? PartOfSpeech::kAdjective : PartOfSpeech::kVerb;
        offer({word, rest, FormKind::kOpposite, pos, pos}, 2, rest.size(), 0);
        continue;
      }
      // A past participle: "unquoted" of "quoted", the headword "quote".
      if (!EndsWith(rest, "ed")) continue;
      for (const std::string& base : forms.BaseForms(rest)) {
        if (!headwords.count(base) || !forms.IsLemmaOf(base, {PartOfSpeech::kVerb})) continue;
        offer({word, base, FormKind::kOpposite, PartOfSpeech::kAdjective, PartOfSpeech::kVerb, rest}, 2,
              rest.size(), 0);
        break;
      }
    }
  }

  for (const RelatedWord& r : forms.Relations()) {
    if (!headwords.count(r.other)) continue;
    if (r.relation == Relation::kClipped) {
      if (!forms.IsListed(r.word) || !IsClipping(r)) continue;
      offer({r.word, r.other, FormKind::kClipping, r.pos, r.otherPos}, 1, r.word.size(),
            forms.Frequency(r.other, r.otherPos));
    } else if (IsPlainWord(r.word) && forms.IsListed(r.word) && SharesStem(r.word, r.other) && !Drifts(r)) {
      offer({r.word, r.other, DerivedKind(r.pos), r.pos, r.otherPos}, 3, CommonPrefix(r.word, r.other),
            forms.Frequency(r.other, r.otherPos));
    }
  }

  std::vector<RelatedReading> readings;
  readings.reserve(best.size());
  for (auto& [word, item] : best) readings.push_back(std::move(item.second));
  return readings;
}

}  // namespace import
