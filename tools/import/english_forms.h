// The inflected forms of English words: irregular ones from WordNet's
// exception lists, regular ones made by the spelling rules and kept only when
// the word lists (or WordNet) know the result as a word; the "-ly" adverbs of
// adjectives; the forms of be and the modal verbs, the cases of the pronouns
// and the common contractions. And the words related to a headword that are
// none themselves: derived from it, cut from it, its compound written closed,
// itself with "un" or "non" (related_words.h), with their own inflections.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "part_of_speech.h"
#include "wordnet_relations.h"

namespace import {

inline constexpr char kWordnetDirectory[] = "/usr/share/wordnet";
inline constexpr const char* kWordLists[] = {"/usr/share/dict/american-english",
                                             "/usr/share/dict/british-english"};

// Where the knowledge comes from: WordNet's index and exception files in one
// directory, and word lists with one word a line.
struct FormSources {
  std::string wordnetDirectory = kWordnetDirectory;
  std::vector<std::string> wordLists{std::begin(kWordLists), std::end(kWordLists)};

  // The same data as the Windows package carries it, in the folder "forms"
  // beside the program (`programFolder` ends with its separator).
  static FormSources Packaged(const std::string& programFolder) {
    const std::string forms = programFolder + "forms\\";
    return {forms + "wordnet", {forms + "words\\american-english", forms + "words\\british-english"}};
  }
};

// In the order a form line lists the kinds of one base: the past forms first,
// since a double-click follows the word before the first "の過去".
enum class FormKind : uint8_t {
  kPast,
  kPastAndParticiple,
  kParticiple,
  kPlural,
  kThirdPerson,
  kPresentParticiple,
  kComparative,
  kSuperlative,
  kPresent,        // am, are
  kPossessive,     // its, his
  kObjective,      // him, them
  kOwnPronoun,     // hers, ours
  kBeforeVowel,    // an
  kAdverb,         // the "-ly" adverb of an adjective
  kContraction,    // doesn't
  kBaseForm,       // "specify" of the headword "specifying"
  kNounForm,       // "scarcity" of "scarce": a word derived from another
  kVerbForm,       // "redistribute" of "redistribution"
  kAdjectiveForm,  // "positional" of "position"
  kClipping,       // "info" of "information"
  kVariant,        // "builtin" of "built-in": a compound written closed
  kOpposite,       // "unprivileged" of "privileged"
};

inline bool IsPastKind(FormKind kind) { return kind <= FormKind::kParticiple; }

struct Inflection {
  std::string form;  // ASCII
  std::string base;
  FormKind kind;
  PartOfSpeech pos;
  std::string shown = {};  // what the line names instead of `base`, "does not" of "doesn't"
  // The base's, where it is another: "position" (n.) of "positional" (adj.).
  std::optional<PartOfSpeech> basePos = {};
};

class EnglishForms {
 public:
  // Reads the files. Throws ImportError naming a file that can't be read or
  // is not what it should be.
  explicit EnglishForms(const FormSources& sources);

  // The forms of the keys of `bases` (exact headwords; only lower-case
  // ASCII words, hyphens and apostrophes inside, have forms), except those
  // that are themselves in `bases` and not in `alsoForms`; and of a verb
  // that is none of them while its "-ing" or "-ed" form is, that form as
  // their base ("specify" and "specified" of "specifying"). Grouped by form,
  // the forms in byte order, the readings of one form most frequent base first.
  std::vector<Inflection> FormsOf(const std::unordered_map<std::string_view, size_t>& bases,
                                  const std::unordered_set<std::string_view>& alsoForms = {}) const;

  // How often WordNet's tagged texts use `word` as `pos`: to order readings.
  int32_t Frequency(std::string_view word, PartOfSpeech pos) const;
  // WordNet's most frequent part of speech of `word` ("lower_case" for
  // "lower case"), if it has the word.
  std::optional<PartOfSpeech> MainPartOf(const std::string& word) const;
  // Whether the word lists or WordNet have `word`.
  bool IsWord(const std::string& word) const { return words_.count(word) || lemmas_.count(word); }
  // Whether the word lists have `word`: the words in common use.
  bool IsListed(const std::string& word) const { return words_.count(word) != 0; }
  const std::vector<RelatedWord>& Relations() const { return relations_; }
  // The words of the lists and WordNet's single-word lemmas that begin with
  // `prefix`, each once.
  std::vector<std::string> WordsBeginningWith(std::string_view prefix) const;
  bool IsLemmaOf(const std::string& word, std::initializer_list<PartOfSpeech> parts) const;
  // Whether a line may name `other` for `word` as related_words.h relates
  // them, by WordNet or by their letters, whatever the headwords.
  bool Relates(const std::string& word, const std::string& other) const;

  // The base forms of `word` (lower case) by WordNet's own morphology: its
  // exception lists, then its endings cut off ("-ly" too), a base kept when
  // WordNet has it as that part of speech or, with `anyWord`, whatever it
  // is; a possessive's word; and the function words' bases. A check on the
  // forms above that does not share their spelling rules.
  std::vector<std::string> BaseForms(const std::string& word, bool anyWord = false) const;

 private:
  struct Lemma {
    uint8_t parts = 0;                    // bit per PartOfSpeech
    int32_t frequency[4] = {0, 0, 0, 0};  // noun, verb, adjective, adverb
  };
  struct Irregular {
    std::string form;
    PartOfSpeech pos;
  };

  struct Reading;                                                // an inflection and where it comes from
  using Readings = std::map<std::string, std::vector<Reading>>;  // by form

  static void Add(Readings& readings, Inflection inflection, bool irregular = false, bool bent = false);
  void AddIrregularForms(const std::string& base, Readings& readings) const;
  void AddRegularForms(const std::string& base, bool possessed, Readings& readings) const;
  void AddBorrowedForms(const std::unordered_map<std::string_view, size_t>& bases, Readings& readings) const;
  void AddRelatedWords(const std::unordered_map<std::string_view, size_t>& bases, Readings& readings) const;
  // The readings of one form that stand, in the order a line gives them.
  void Resolve(std::vector<Reading> all, bool headword, bool inTable, std::vector<Inflection>& forms) const;
  bool HasIrregularPast(const std::string& verb) const;

  const Lemma* FindLemma(const std::string& word) const;

  std::unordered_map<std::string, Lemma> lemmas_;
  std::unordered_set<std::string> words_;
  std::unordered_map<std::string, std::vector<Irregular>> irregular_;         // by base
  std::unordered_map<std::string, std::vector<std::string>> irregularBases_;  // by form
  std::vector<RelatedWord> relations_;
  // relations_ by word, lower case: made at the first Relates, which only the
  // found rate's audit asks, not the import.
  mutable std::unordered_map<std::string, std::vector<std::string>> relatedTo_;
};

}  // namespace import
