#include "english_forms.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <tuple>

#include "dictionary/dictionary_line.h"
#include "grouped_senses.h"
#include "gzip_file.h"
#include "import_error.h"
#include "related_words.h"
#include "text_util.h"

namespace import {
namespace {

struct WordnetFiles {
  PartOfSpeech pos;
  const char* index;
  const char* exceptions;
};
constexpr WordnetFiles kWordnetFiles[] = {
    {PartOfSpeech::kNoun, "index.noun", "noun.exc"},
    {PartOfSpeech::kVerb, "index.verb", "verb.exc"},
    {PartOfSpeech::kAdjective, "index.adj", "adj.exc"},
    {PartOfSpeech::kAdverb, "index.adv", "adv.exc"},
};

// Forms no rule makes and WordNet's lists leave out or mix up: those of be,
// of the modal verbs, the cases of the pronouns and the contractions. A form
// in this table has these readings only.
struct FunctionForm {
  const char* form;
  const char* base;
  FormKind kind;
  PartOfSpeech pos;
  const char* shown = "";
};
constexpr FunctionForm kFunctionForms[] = {
    {"am", "be", FormKind::kPresent, PartOfSpeech::kVerb},
    {"are", "be", FormKind::kPresent, PartOfSpeech::kVerb},
    {"is", "be", FormKind::kThirdPerson, PartOfSpeech::kVerb},
    {"was", "be", FormKind::kPast, PartOfSpeech::kVerb},
    {"were", "be", FormKind::kPast, PartOfSpeech::kVerb},
    {"been", "be", FormKind::kParticiple, PartOfSpeech::kVerb},
    {"being", "be", FormKind::kPresentParticiple, PartOfSpeech::kVerb},
    {"would", "will", FormKind::kPast, PartOfSpeech::kVerb},
    {"could", "can", FormKind::kPast, PartOfSpeech::kVerb},
    {"should", "shall", FormKind::kPast, PartOfSpeech::kVerb},
    {"might", "may", FormKind::kPast, PartOfSpeech::kVerb},
    {"an", "a", FormKind::kBeforeVowel, PartOfSpeech::kArticle},
    {"its", "it", FormKind::kPossessive, PartOfSpeech::kPronoun},
    {"me", "I", FormKind::kObjective, PartOfSpeech::kPronoun},
    {"my", "I", FormKind::kPossessive, PartOfSpeech::kPronoun},
    {"him", "he", FormKind::kObjective, PartOfSpeech::kPronoun},
    {"his", "he", FormKind::kPossessive, PartOfSpeech::kPronoun},
    {"her", "she", FormKind::kObjective, PartOfSpeech::kPronoun},
    {"hers", "she", FormKind::kOwnPronoun, PartOfSpeech::kPronoun},
    {"us", "we", FormKind::kObjective, PartOfSpeech::kPronoun},
    {"our", "we", FormKind::kPossessive, PartOfSpeech::kPronoun},
    {"ours", "we", FormKind::kOwnPronoun, PartOfSpeech::kPronoun},
    {"them", "they", FormKind::kObjective, PartOfSpeech::kPronoun},
    {"their", "they", FormKind::kPossessive, PartOfSpeech::kPronoun},
    {"theirs", "they", FormKind::kOwnPronoun, PartOfSpeech::kPronoun},
    {"your", "you", FormKind::kPossessive, PartOfSpeech::kPronoun},
    {"yours", "you", FormKind::kOwnPronoun, PartOfSpeech::kPronoun},
    {"whom", "who", FormKind::kObjective, PartOfSpeech::kPronoun},
    {"whose", "who", FormKind::kPossessive, PartOfSpeech::kPronoun},
    {"these", "this", FormKind::kPlural, PartOfSpeech::kPronoun},
    {"those", "that", FormKind::kPlural, PartOfSpeech::kPronoun},
    {"don't", "do", FormKind::kContraction, PartOfSpeech::kVerb, "do not"},
    {"doesn't", "do", FormKind::kContraction, PartOfSpeech::kVerb, "does not"},
    {"didn't", "do", FormKind::kContraction, PartOfSpeech::kVerb, "did not"},
    {"isn't", "be", FormKind::kContraction, PartOfSpeech::kVerb, "is not"},
    {"aren't", "be", FormKind::kContraction, PartOfSpeech::kVerb, "are not"},
    {"wasn't", "be", FormKind::kContraction, PartOfSpeech::kVerb, "was not"},
    {"weren't", "be", FormKind::kContraction, PartOfSpeech::kVerb, "were not"},
    {"hasn't", "have", FormKind::kContraction, PartOfSpeech::kVerb, "has not"},
    {"haven't", "have", FormKind::kContraction, PartOfSpeech::kVerb, "have not"},
    {"hadn't", "have", FormKind::kContraction, PartOfSpeech::kVerb, "had not"},
    {"can't", "can", FormKind::kContraction, PartOfSpeech::kVerb, "cannot"},
    {"couldn't", "can", FormKind::kContraction, PartOfSpeech::kVerb, "could not"},
    {"won't", "will", FormKind::kContraction, PartOfSpeech::kVerb, "will not"},
    {"wouldn't", "will", FormKind::kContraction, PartOfSpeech::kVerb, "would not"},
    {"shouldn't", "shall", FormKind::kContraction, PartOfSpeech::kVerb, "should not"},
    {"mustn't", "must", FormKind::kContraction, PartOfSpeech::kVerb, "must not"},
    {"it's", "it", FormKind::kContraction, PartOfSpeech::kPronoun, "it is"},
    {"that's", "that", FormKind::kContraction, PartOfSpeech::kPronoun, "that is"},
    {"what's", "what", FormKind::kContraction, PartOfSpeech::kPronoun, "what is"},
    {"there's", "there", FormKind::kContraction, PartOfSpeech::kAdverb, "there is"},
    {"here's", "here", FormKind::kContraction, PartOfSpeech::kAdverb, "here is"},
    {"let's", "let", FormKind::kContraction, PartOfSpeech::kVerb, "let us"},
    {"I'm", "I", FormKind::kContraction, PartOfSpeech::kPronoun, "I am"},
    {"I've", "I", FormKind::kContraction, PartOfSpeech::kPronoun, "I have"},
    {"I'll", "I", FormKind::kContraction, PartOfSpeech::kPronoun, "I will"},
    {"I'd", "I", FormKind::kContraction, PartOfSpeech::kPronoun, "I would"},
    {"you're", "you", FormKind::kContraction, PartOfSpeech::kPronoun, "you are"},
    {"you've", "you", FormKind::kContraction, PartOfSpeech::kPronoun, "you have"},
    {"you'll", "you", FormKind::kContraction, PartOfSpeech::kPronoun, "you will"},
    {"you'd", "you", FormKind::kContraction, PartOfSpeech::kPronoun, "you would"},
    {"we're", "we", FormKind::kContraction, PartOfSpeech::kPronoun, "we are"},
    {"we've", "we", FormKind::kContraction, PartOfSpeech::kPronoun, "we have"},
    {"we'll", "we", FormKind::kContraction, PartOfSpeech::kPronoun, "we will"},
    {"we'd", "we", FormKind::kContraction, PartOfSpeech::kPronoun, "we would"},
    {"they're", "they", FormKind::kContraction, PartOfSpeech::kPronoun, "they are"},
    {"they've", "they", FormKind::kContraction, PartOfSpeech::kPronoun, "they have"},
    {"they'll", "they", FormKind::kContraction, PartOfSpeech::kPronoun, "they will"},
    {"they'd", "they", FormKind::kContraction, PartOfSpeech::kPronoun, "they would"},
    {"he's", "he", FormKind::kContraction, PartOfSpeech::kPronoun, "he is"},
    {"she's", "she", FormKind::kContraction, PartOfSpeech::kPronoun, "she is"},
    {"he'll", "he", FormKind::kContraction, PartOfSpeech::kPronoun, "he will"},
    {"she'll", "she", FormKind::kContraction, PartOfSpeech::kPronoun, "she will"},
    {"he'd", "he", FormKind::kContraction, PartOfSpeech::kPronoun, "he would"},
    {"she'd", "she", FormKind::kContraction, PartOfSpeech::kPronoun, "she would"},
    {"it'll", "it", FormKind::kContraction, PartOfSpeech::kPronoun, "it will"},
    {"that'll", "that", FormKind::kContraction, PartOfSpeech::kPronoun, "that will"},
    {"there'll", "there", FormKind::kContraction, PartOfSpeech::kAdverb, "there will"},
    {"who's", "who", FormKind::kContraction, PartOfSpeech::kPronoun, "who is"},
    {"where's", "where", FormKind::kContraction, PartOfSpeech::kAdverb, "where is"},
    {"shan't", "shall", FormKind::kContraction, PartOfSpeech::kVerb, "shall not"},
    {"needn't", "need", FormKind::kContraction, PartOfSpeech::kVerb, "need not"},
};
// Its forms are all in the table; the rules would make "bed" of it.
constexpr std::string_view kOnlyInTable = "be";

bool IsVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

// Lower-case letters, with hyphens or apostrophes between them; two letters
// at least, as a one-letter noun's plural is some other word ("as").
bool HasForms(std::string_view word) {
  if (word.size() < 2 || !IsLower(word.front()) || !IsLower(word.back())) return false;
  return std::all_of(word.begin(), word.end(), [](char c) { return IsLower(c) || c == '-' || c == '\''; });
}

bool EndsWithConsonantY(std::string_view w) {
  return w.size() >= 2 && w.back() == 'y' && !IsVowel(w[w.size() - 2]);
}
bool EndsWithSibilant(std::string_view w) {
  return EndsWith(w, "s") || EndsWith(w, "x") || EndsWith(w, "z") || EndsWith(w, "ch") || EndsWith(w, "sh");
}
// "stop", "big", "prefer": the last consonant may double before an ending.
bool MayDouble(std::string_view w) {
  if (w.size() < 3) return false;
  const char last = w.back(), vowel = w[w.size() - 2], before = w[w.size() - 3];
  return !IsVowel(last) && last != 'w' && last != 'x' && last != 'y' && IsVowel(vowel) && !IsVowel(before);
}

struct Candidate {
  std::string form;
  bool bent = false;  // an 'e' dropped: "making" (a plain "-ing" of another word wins)
};

// "-s" of a noun or of a verb.
std::vector<Candidate> SForms(const std::string& w) {
  if (EndsWithSibilant(w)) return {{w + "es"}};
  if (EndsWithConsonantY(w)) return {{w.substr(0, w.size() - 1) + "ies"}};
  if (w.back() == 'o') return {{w + "s"}, {w + "es"}};
  return {{w + "s"}};  // "knives", "leaves": WordNet's exceptions
}

// Endings that begin with a vowel: "ed", "ing", "er", "est". A doubled
// consonant, when it makes a word, stands for the spelling ("planned", not
// "planed", which is another word's).
std::vector<Candidate> VowelEndingForms(const std::string& w, const std::string& ending) {
  const std::string stem = w.substr(0, w.size() - 1);
  if (ending == "ing") {
    if (EndsWith(w, "ie")) return {{w.substr(0, w.size() - 2) + "ying"}};
    if (w.back() == 'e') return {{stem + "ing", true}, {w + "ing"}};
  } else {
    if (w.back() == 'e') return {{stem + ending}};
    if (EndsWithConsonantY(w)) return {{stem + "i" + ending}};
  }
  if (w.back() == 'c') return {{w + "k" + ending}, {w + ending}};
  if (MayDouble(w)) return {{w + w.back() + ending}, {w + ending}};
  return {{w + ending}};
}

// The "-ly" adverb of an adjective: "quickly", "happily", "simply", "basically", "fully", "truly".
Candidate LyForm(const std::string& w) {
  const std::string stem = w.substr(0, w.size() - 1);
  if (EndsWithConsonantY(w)) return {stem + "ily"};
  if (EndsWith(w, "le") && !IsVowel(w[w.size() - 3])) return {stem.substr(0, stem.size() - 1) + "ly"};
  if (EndsWith(w, "ic")) return {w + "ally"};
  if (EndsWith(w, "ll")) return {w + "y"};
  if (EndsWith(w, "ue")) return {stem + "ly"};
  return {w + "ly"};
}

bool SameButOneLetter(std::string_view a, std::string_view b, char inA, std::string_view inB) {
  if (a.size() != b.size()) return false;
  int differ = 0;
  bool match = false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    ++differ;
    match = a[i] == inA && inB.find(b[i]) != std::string_view::npos;
  }
  return differ == 1 && match;
}

bool EndsWithAnyOf(std::string_view w, std::initializer_list<std::string_view> endings) {
  for (std::string_view e : endings)
    if (EndsWith(w, e)) return true;
  return false;
}

// What an irregular form of a verb in verb.exc is, which the list doesn't
// say. `pastForms`: the verb's irregular past forms, `form` among them.
FormKind IrregularVerbKind(const std::string& form, const std::string& base,
                           const std::vector<std::string>& pastForms) {
  if (pastForms.size() == 1) {
    if (EndsWithAnyOf(form, {"en", "wn", "rn", "ain"})) return FormKind::kParticiple;  // shown, sworn
    if (SameButOneLetter(form, base, 'a', "ou")) return FormKind::kPast;               // came, ran
    return FormKind::kPastAndParticiple;                                               // found, won
  }
  if (EndsWithAnyOf(form, {"en", "wn", "ne", "rn", "ain"})) return FormKind::kParticiple;  // written, gone
  bool otherIsParticiple = false;
  for (const std::string& other : pastForms) {
    if (other == form) continue;
    if (SameButOneLetter(form, other, 'u', "a")) return FormKind::kParticiple;  // begun, sung
    if (SameButOneLetter(form, other, 'a', "u")) return FormKind::kPast;        // began, sang
    otherIsParticiple = otherIsParticiple || EndsWithAnyOf(other, {"en", "wn", "ne", "rn", "ain"});
  }
  return otherIsParticiple ? FormKind::kPast : FormKind::kPastAndParticiple;  // went; dreamt
}

[[noreturn]] void Malformed(const std::string& path, size_t line, const std::string& why) {
  throw ImportError(path + ": line " + std::to_string(line) + ": " + why);
}

// The fields of a line, one space between two.
class Fields {
 public:
  explicit Fields(std::string_view line) : rest_(line) {}
  // Empty when there are no more.
  std::string_view Next() {
    const size_t end = std::min(rest_.find(' '), rest_.size());
    const std::string_view field = rest_.substr(0, end);
    rest_.remove_prefix(std::min(end + 1, rest_.size()));
    return field;
  }

 private:
  std::string_view rest_;
};

int ParseCount(std::string_view field, const std::string& path, size_t line) {
  if (field.empty() || field.size() > 9) Malformed(path, line, "not a WordNet index line");
  int n = 0;
  for (char c : field) {
    if (c < '0' || c > '9') Malformed(path, line, "not a WordNet index line");
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

struct EnglishForms::Reading {
  Inflection inflection;
  bool irregular = false;
  bool bent = false;      // see Candidate
  bool function = false;  // from kFunctionForms
};

void EnglishForms::Add(Readings& readings, Inflection inflection, bool irregular, bool bent) {
  if (inflection.form == inflection.base) return;
  std::vector<Reading>& of = readings[inflection.form];
  of.push_back({std::move(inflection), irregular, bent, false});
}

EnglishForms::EnglishForms(const FormSources& sources) {
  constexpr size_t kLemmas = 160000, kWords = 200000;  // WordNet 3.0's and the two lists', about
  lemmas_.reserve(kLemmas);
  words_.reserve(kWords);
  for (const WordnetFiles& files : kWordnetFiles) {
    const int part = static_cast<int>(files.pos);
    const std::string indexPath = WordnetFile(sources.wordnetDirectory, files.index);
    const std::string index = ReadWholeFile(indexPath);
    size_t lemmasRead = 0;
    ForEachTextLine(index, [&](std::string_view line, size_t lineNumber) {
      if (line.empty() || line[0] == ' ') return;  // the licence at the top
      // lemma pos synset_cnt p_cnt [ptr_symbol...] sense_cnt tagsense_cnt synset_offset...
      Fields fields(line);
      const std::string_view lemmaText = fields.Next();
      fields.Next();
      fields.Next();
      const int pointers = ParseCount(fields.Next(), indexPath, lineNumber);
      for (int i = 0; i <= pointers; ++i) fields.Next();
      const std::string_view tagged = fields.Next();
      if (lemmaText.empty() || tagged.empty()) Malformed(indexPath, lineNumber, "not a WordNet index line");
      Lemma& lemma = lemmas_[std::string(lemmaText)];
      lemma.parts |= 1u << part;
      lemma.frequency[part] = ParseCount(tagged, indexPath, lineNumber);
      ++lemmasRead;
    });
    if (lemmasRead == 0) throw ImportError(indexPath + ": holds no WordNet lemmas");

    const std::string exceptionsPath = WordnetFile(sources.wordnetDirectory, files.exceptions);
    const std::string exceptions = ReadWholeFile(exceptionsPath);
    ForEachTextLine(exceptions, [&](std::string_view line, size_t lineNumber) {
      if (Trim(line).empty()) return;
      const std::vector<std::string_view> f = Split(Trim(line), ' ');
      if (f.size() < 2) Malformed(exceptionsPath, lineNumber, "not \"form base...\"");
      for (size_t i = 1; i < f.size(); ++i)
        if (f[i] != f[0]) {
          irregular_[std::string(f[i])].push_back({std::string(f[0]), files.pos});
          irregularBases_[std::string(f[0])].emplace_back(f[i]);
        }
    });
  }
  for (const std::string& path : sources.wordLists) {
    const std::string list = ReadWholeFile(path);
    size_t wordsRead = 0;
    ForEachTextLine(list, [&](std::string_view line, size_t) {
      line = Trim(line);
      if (line.empty()) return;
      words_.emplace(line);
      ++wordsRead;
    });
    if (wordsRead == 0) throw ImportError(path + ": holds no words");
  }
  relations_ = ReadWordnetRelations(sources.wordnetDirectory);
}

const EnglishForms::Lemma* EnglishForms::FindLemma(const std::string& word) const {
  auto it = lemmas_.find(word);
  return it == lemmas_.end() ? nullptr : &it->second;
}

bool EnglishForms::IsLemmaOf(const std::string& word, std::initializer_list<PartOfSpeech> parts) const {
  const Lemma* lemma = FindLemma(word);
  for (PartOfSpeech p : parts)
    if (lemma && (lemma->parts >> static_cast<int>(p)) & 1u) return true;
  return false;
}

int32_t EnglishForms::Frequency(std::string_view word, PartOfSpeech pos) const {
  const int part = static_cast<int>(pos);
  if (part >= 4) return 0;
  const Lemma* lemma = FindLemma(std::string(word));
  return lemma ? lemma->frequency[part] : 0;
}

std::optional<PartOfSpeech> EnglishForms::MainPartOf(const std::string& word) const {
  const Lemma* lemma = FindLemma(word);
  if (!lemma) return std::nullopt;
  std::optional<PartOfSpeech> main;
  for (int part = 0; part < 4; ++part)
    if ((lemma->parts >> part) & 1u &&
        (!main || lemma->frequency[part] > lemma->frequency[static_cast<int>(*main)]))
      main = static_cast<PartOfSpeech>(part);
  return main;
}

std::vector<std::string> EnglishForms::WordsBeginningWith(std::string_view prefix) const {
  std::vector<std::string> found;
  for (const std::string& word : words_)
    if (StartsWith(word, prefix)) found.push_back(word);
  for (const auto& [lemma, parts] : lemmas_)
    if (StartsWith(lemma, prefix) && !words_.count(lemma) && lemma.find('_') == std::string::npos)
      found.push_back(lemma);
  return found;
}

bool EnglishForms::Relates(const std::string& word, const std::string& other) const {
  const std::string a = dictionary::FoldedText(word), b = dictionary::FoldedText(other);
  if (SameCompound(a, b) || SaysNot(a, b)) return true;
  if (relatedTo_.empty())
    for (const RelatedWord& r : relations_)
      relatedTo_[dictionary::FoldedText(r.word)].push_back(dictionary::FoldedText(r.other));
  auto it = relatedTo_.find(a);
  return it != relatedTo_.end() && std::find(it->second.begin(), it->second.end(), b) != it->second.end();
}

std::vector<std::string> EnglishForms::BaseForms(const std::string& word, bool anyWord) const {
  // WordNet's detachment rules, and those of an adjective's adverb: ending,
  // replacement, part of speech.
  struct Rule {
    std::string_view ending, replacement;
    PartOfSpeech pos;
  };
  constexpr Rule kRules[] = {
      {"s", "", PartOfSpeech::kNoun},          {"ses", "s", PartOfSpeech::kNoun},
      {"xes", "x", PartOfSpeech::kNoun},       {"zes", "z", PartOfSpeech::kNoun},
      {"ches", "ch", PartOfSpeech::kNoun},     {"shes", "sh", PartOfSpeech::kNoun},
      {"men", "man", PartOfSpeech::kNoun},     {"ies", "y", PartOfSpeech::kNoun},
      {"s", "", PartOfSpeech::kVerb},          {"ies", "y", PartOfSpeech::kVerb},
      {"es", "e", PartOfSpeech::kVerb},        {"es", "", PartOfSpeech::kVerb},
      {"ed", "e", PartOfSpeech::kVerb},        {"ed", "", PartOfSpeech::kVerb},
      {"ing", "e", PartOfSpeech::kVerb},       {"ing", "", PartOfSpeech::kVerb},
      {"er", "", PartOfSpeech::kAdjective},    {"est", "", PartOfSpeech::kAdjective},
      {"er", "e", PartOfSpeech::kAdjective},   {"est", "e", PartOfSpeech::kAdjective},
      {"er", "", PartOfSpeech::kAdverb},       {"est", "", PartOfSpeech::kAdverb},
      {"ly", "", PartOfSpeech::kAdjective},    {"ily", "y", PartOfSpeech::kAdjective},
      {"ly", "le", PartOfSpeech::kAdjective},  {"ally", "", PartOfSpeech::kAdjective},
      {"lly", "ll", PartOfSpeech::kAdjective},
  };
  std::vector<std::string> bases;
  auto add = [&](const std::string& base) {
    if (std::find(bases.begin(), bases.end(), base) == bases.end()) bases.push_back(base);
  };
  for (const FunctionForm& f : kFunctionForms) {
    if (dictionary::FoldedText(f.form) != word) continue;
    add(dictionary::FoldedText(f.base));
    if (*f.shown) add(dictionary::FoldedText(f.shown));
  }
  if (EndsWith(word, "'s") && word.size() > 2) add(word.substr(0, word.size() - 2));
  if (auto it = irregularBases_.find(word); it != irregularBases_.end())
    for (const std::string& base : it->second) add(base);
  for (const Rule& rule : kRules) {
    if (word.size() <= rule.ending.size() || !EndsWith(word, rule.ending)) continue;
    const std::string base = word.substr(0, word.size() - rule.ending.size()) + std::string(rule.replacement);
    if (anyWord || IsLemmaOf(base, {rule.pos})) add(base);
  }
  return bases;
}

bool EnglishForms::HasIrregularPast(const std::string& verb) const {
  auto it = irregular_.find(verb);
  if (it == irregular_.end()) return false;
  for (const Irregular& i : it->second)
    if (i.pos == PartOfSpeech::kVerb && !EndsWith(i.form, "ing") && !EndsWith(i.form, "s")) return true;
  return false;
}

void EnglishForms::AddIrregularForms(const std::string& base, Readings& readings) const {
  auto it = irregular_.find(base);
  if (it == irregular_.end()) return;
  std::vector<std::string> pastForms;
  for (const Irregular& i : it->second) {
    if (i.pos != PartOfSpeech::kVerb || EndsWith(i.form, "ing") || EndsWith(i.form, "s") ||
        i.form.find('_') != std::string::npos)
      continue;
    bool regular = false;
    for (const Candidate& c : VowelEndingForms(base, "ed")) regular = regular || c.form == i.form;
    if (!regular) pastForms.push_back(i.form);
  }
  for (const Irregular& i : it->second) {
    if (i.form.find('_') != std::string::npos) continue;
    FormKind kind = FormKind::kPlural;
    if (i.pos == PartOfSpeech::kVerb) {
      kind = EndsWith(i.form, "ing") ? FormKind::kPresentParticiple
             : EndsWith(i.form, "s") ? FormKind::kThirdPerson
             : std::find(pastForms.begin(), pastForms.end(), i.form) == pastForms.end()
                 ? FormKind::kPastAndParticiple
                 : IrregularVerbKind(i.form, base, pastForms);
    } else if (i.pos != PartOfSpeech::kNoun) {
      kind = EndsWith(i.form, "st") ? FormKind::kSuperlative : FormKind::kComparative;
    }
    Add(readings, {i.form, base, kind, i.pos}, true);
  }
}

void EnglishForms::AddRegularForms(const std::string& base, bool possessed, Readings& readings) const {
  const Lemma* lemma = FindLemma(base);
  if (!lemma) return;
  auto is = [&](PartOfSpeech p) { return (lemma->parts >> static_cast<int>(p)) & 1u; };
  // The first candidate that is a word, or all that are when `every` (the
  // "-o" nouns and verbs).
  auto addRegular = [&](const std::vector<Candidate>& candidates, FormKind kind, PartOfSpeech pos,
                        bool every) {
    for (const Candidate& c : candidates) {
      if (!IsWord(c.form)) continue;
      Add(readings, {c.form, base, kind, pos}, false, c.bent);
      if (!every) break;
    }
  };
  if (is(PartOfSpeech::kNoun)) {
    // A plural that WordNet has as a noun of its own, more often used than
    // the base, is left to that word: "physics" is no plural of "physic";
    // "ways" is way's.
    std::vector<Candidate> plurals;
    for (Candidate& c : SForms(base))
      if (!IsLemmaOf(c.form, {PartOfSpeech::kNoun}) ||
          Frequency(c.form, PartOfSpeech::kNoun) < std::max(Frequency(base, PartOfSpeech::kNoun), 1))
        plurals.push_back(std::move(c));
    addRegular(plurals, FormKind::kPlural, PartOfSpeech::kNoun, true);
    // The possessive where a headword begins with it ("user's guide") and
    // would take its lookup.
    if (possessed) Add(readings, {base + "'s", base, FormKind::kPossessive, PartOfSpeech::kNoun});
  }
  if (is(PartOfSpeech::kVerb)) {
    addRegular(SForms(base), FormKind::kThirdPerson, PartOfSpeech::kVerb, true);
    addRegular(VowelEndingForms(base, "ed"), FormKind::kPastAndParticiple, PartOfSpeech::kVerb, false);
    addRegular(VowelEndingForms(base, "ing"), FormKind::kPresentParticiple, PartOfSpeech::kVerb, false);
  }
  for (PartOfSpeech p : {PartOfSpeech::kAdjective, PartOfSpeech::kAdverb}) {
    if (!is(p) || (p == PartOfSpeech::kAdverb && EndsWith(base, "ly"))) continue;
    for (auto [ending, kind] : {std::pair{"er", FormKind::kComparative}, {"est", FormKind::kSuperlative}}) {
      // "number" is no comparative of "numb", nor "setter" of "set".
      std::vector<Candidate> forms;
      for (Candidate& c : VowelEndingForms(base, ending))
        if (!IsLemmaOf(c.form, {PartOfSpeech::kNoun, PartOfSpeech::kVerb})) forms.push_back(std::move(c));
      addRegular(forms, kind, p, false);
    }
  }
  // An adjective's adverb, where WordNet has it as an adverb, or the word
  // lists have it and the adjective's ending leaves no other reading
  // ("recursively"; "only" is no adverb of "on").
  if (is(PartOfSpeech::kAdjective) && !EndsWith(base, "ly")) {
    const Candidate adverb = LyForm(base);
    if (IsLemmaOf(adverb.form, {PartOfSpeech::kAdverb}) ||
        (words_.count(adverb.form) &&
         EndsWithAnyOf(base, {"ive", "ous", "al", "ic", "ent", "ant", "ful", "less", "ible", "able"})))
      Add(readings, {adverb.form, base, FormKind::kAdverb, PartOfSpeech::kAdverb});
  }
}

void EnglishForms::AddBorrowedForms(const std::unordered_map<std::string_view, size_t>& bases,
                                    Readings& readings) const {
  for (const auto& [verb, lemma] : lemmas_) {
    if (!((lemma.parts >> static_cast<int>(PartOfSpeech::kVerb)) & 1u) || !HasForms(verb) ||
        bases.count(verb))
      continue;
    std::string source;
    for (const char* ending : {"ing", "ed"})
      for (const Candidate& c : VowelEndingForms(verb, ending))
        if (source.empty() && bases.count(c.form) && !FindLemma(c.form)) source = c.form;
    if (source.empty()) continue;
    Add(readings, {verb, source, FormKind::kBaseForm, PartOfSpeech::kVerb});
    const std::pair<std::vector<Candidate>, FormKind> others[] = {
        {SForms(verb), FormKind::kThirdPerson},
        {VowelEndingForms(verb, "ed"), FormKind::kPastAndParticiple},
        {VowelEndingForms(verb, "ing"), FormKind::kPresentParticiple},
    };
    for (const auto& [candidates, kind] : others) {
      for (const Candidate& c : candidates) {
        if (!IsWord(c.form)) continue;
        if (c.form != source) Add(readings, {c.form, source, kind, PartOfSpeech::kVerb, verb}, false, c.bent);
        break;
      }
    }
  }
}

void EnglishForms::AddRelatedWords(const std::unordered_map<std::string_view, size_t>& bases,
                                   Readings& readings) const {
  std::unordered_set<std::string> taken;  // forms of the headwords themselves
  for (const auto& [form, all] : readings) taken.insert(form);
  const std::vector<RelatedReading> related = RelatedWordsOf(*this, bases);
  for (const RelatedReading& r : related) taken.insert(r.word);
  for (const RelatedReading& r : related) {
    if (readings.count(r.word)) continue;
    Add(readings, {r.word, r.headword, r.kind, r.pos, r.shown, r.headwordPos});
    // Its inflections name it and give the headword's meaning: "denoted" of
    // "denote", derived from "denotation".
    if (!HasForms(r.word)) continue;
    Readings own;
    AddIrregularForms(r.word, own);
    AddRegularForms(r.word, false, own);
    for (auto& [form, all] : own) {
      if (taken.count(form) || bases.count(form)) continue;
      for (Reading& reading : all) {
        Inflection& i = reading.inflection;
        Add(readings, {i.form, r.headword, i.kind, i.pos, r.word, r.headwordPos}, reading.irregular,
            reading.bent);
      }
    }
  }
}

void EnglishForms::Resolve(std::vector<Reading> all, bool headword, bool inTable,
                           std::vector<Inflection>& forms) const {
  std::unordered_set<std::string> irregularBases;
  bool anyPlain = false;
  for (const Reading& r : all) {
    if (r.irregular) irregularBases.insert(r.inflection.base);
    anyPlain = anyPlain || !r.bent;
  }
  std::vector<Reading> kept;
  for (const Reading& r : all) {
    const std::string& base = r.inflection.base;
    if (inTable && !r.function) continue;
    if (headword && r.inflection.kind == FormKind::kAdverb) continue;  // a word of its own
    // An irregular form is not also some other word's regular one ("has", not "ha"s).
    if (!r.irregular && !irregularBases.empty() && irregularBases.count(base) == 0) continue;
    if (r.bent && anyPlain) continue;  // "singing" of sing, not of singe
    kept.push_back(r);
  }
  // "singed" is singe's: sing has its own past forms.
  if (kept.size() > 1) {
    std::vector<Reading> others;
    for (const Reading& r : kept)
      if (r.irregular || !IsPastKind(r.inflection.kind) || !HasIrregularPast(r.inflection.base))
        others.push_back(r);
    if (!others.empty()) kept = std::move(others);
  }
  // Most frequent base first, a past reading before all, as the double-click
  // follows the word before the first "の過去".
  auto weight = [&](const Inflection& i) { return Frequency(i.base, i.pos); };
  std::map<std::string, std::tuple<bool, int32_t>> baseOrder;
  for (const Reading& r : kept) {
    auto& [past, frequency] = baseOrder[r.inflection.base];
    past = past || IsPastKind(r.inflection.kind);
    frequency = std::max(frequency, weight(r.inflection));
  }
  std::sort(kept.begin(), kept.end(), [&](const Reading& a, const Reading& b) {
    const Inflection &x = a.inflection, &y = b.inflection;
    if (x.base != y.base) {
      const auto& [px, fx] = baseOrder[x.base];
      const auto& [py, fy] = baseOrder[y.base];
      return std::make_tuple(!px, -fx, x.base) < std::make_tuple(!py, -fy, y.base);
    }
    return std::make_tuple(!IsPastKind(x.kind), -weight(x), x.kind, x.pos) <
           std::make_tuple(!IsPastKind(y.kind), -weight(y), y.kind, y.pos);
  });
  for (size_t i = 0; i < kept.size(); ++i) {
    const Inflection& r = kept[i].inflection;
    bool repeated = false;
    for (size_t j = 0; j < i; ++j)
      repeated = repeated || (kept[j].inflection.base == r.base && kept[j].inflection.kind == r.kind &&
                              kept[j].inflection.pos == r.pos);
    if (!repeated) forms.push_back(r);
  }
}

std::vector<Inflection> EnglishForms::FormsOf(const std::unordered_map<std::string_view, size_t>& bases,
                                              const std::unordered_set<std::string_view>& alsoForms) const {
  std::unordered_set<std::string> possessed;  // "user" of "user's guide"
  for (const auto& [headword, line] : bases) {
    const size_t mark = headword.find("'s ");
    if (mark != std::string_view::npos && mark > 0)
      possessed.insert(dictionary::FoldedText(headword.substr(0, mark)));
  }
  Readings readings;
  for (const auto& [headword, line] : bases) {
    const std::string base(headword);
    if (!HasForms(base) || base == kOnlyInTable) continue;
    AddIrregularForms(base, readings);
    AddRegularForms(base, possessed.count(base) != 0, readings);
  }
  AddBorrowedForms(bases, readings);
  AddRelatedWords(bases, readings);
  std::unordered_set<std::string> tableForms;
  for (const FunctionForm& f : kFunctionForms) {
    tableForms.insert(f.form);
    if (bases.count(f.base))
      readings[f.form].push_back({{f.form, f.base, f.kind, f.pos, f.shown}, true, false, true});
  }

  std::vector<Inflection> forms;
  for (auto& [form, all] : readings) {
    const bool headword = bases.count(form) != 0;
    if (headword && !alsoForms.count(form)) continue;
    Resolve(std::move(all), headword, tableForms.count(form) != 0, forms);
  }
  return forms;
}

}  // namespace import
