// How much of a prose text the lookup finds when each word is taken as it
// stands, punctuation and all, as a user copies it, and how often the entry
// it shows first is the word's own or its base form's:
//
//   found_rate --dict NAME=FILE [--before NAME=FILE] [--dict ...]... [--wordnet DIR] TEXT...
//
// The texts (UTF-8, or ASCII) are split on white space only; each token is
// converted to code page 932 and looked up as the pop-up does with related
// words off: found when list 1000 has a found line. Prints per dictionary
//   found_rate <name> tokens=<n> as_copied=<x>% with_rule=<y>% words=<w> right_first=<r>% wrong_base=<b>%
// as_copied: the lookup without the second try for punctuation; with_rule:
// the program's lookup. A token code page 932 can't hold counts as not found
// in both. words: the tokens that are words once the second try has taken
// their punctuation off (letters, with a hyphen or apostrophe between two;
// two letters at least, or "a" or "I"); right_first: the share of those whose
// first row's headword is the token as copied, the word, or one of its base
// forms by WordNet's morphology (--wordnet, default /usr/share/wordnet);
// wrong_base: the share whose first row is a form line naming a base that is
// none of those, nor a word WordNet relates the word to, nor the same
// compound, nor the word without "un" or "non". A dictionary given with --before is
// measured first, as "<name>-before", and every token it finds must be found
// by NAME's dictionary too, or the tool stops. Details go to stderr, among
// them stripped=<z>% (every token looked up without its punctuation, whether
// found as copied or not), the words most often not right first and the
// wrong bases.
//
// Every distinct token is looked up, a few hundred at a time in one read of
// the dictionary; some are checked against the lookup's own entry point.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/byte_source.h"
#include "dictionary/dictionary_line.h"
#include "lookup/headword_matcher.h"
#include "lookup/lookup.h"
#include "lookup/lookup_run.h"
#include "lookup/punctuation.h"
#include "lookup/punctuation_retry.h"
#include "lookup/query_normalisation.h"
#include "tools/import/english_forms.h"
#include "tools/import/form_lines.h"
#include "tools/import/import_error.h"
#include "tools/text/conversion.h"

namespace {

constexpr char kProgram[] = "found_rate";
constexpr char kWhiteSpace[] = " \t\n\v\f\r";
constexpr size_t kTokensPerRead = 256;
constexpr size_t kCheckEvery = 499;  // distinct tokens between two checks
constexpr size_t kMostListed = 25;   // words listed on stderr per kind

struct Failure {
  std::string why;
};

struct Dictionary {
  std::string name;
  std::string path;
  std::string before;  // the dictionary it replaces, if any
};

// A distinct token of the texts.
struct Token {
  std::string text;  // as in the text
  int64_t occurrences = 0;
  bool representable = false;
  std::string query;                    // in code page 932
  std::string word;                     // lower case, when the stripped query is a word
  std::string asCopied;                 // the query, lower case: "etc." finds its own line
  std::vector<std::string> candidates;  // bases by WordNet's morphology, whatever word each is
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Letters, with a hyphen or an apostrophe between two: "errno", "read-only",
// "don't"; two at least, but for "a" and "I" (a letter alone is an option's,
// "-l", or a variable's name).
bool IsWord(std::string_view text) {
  if (text.size() == 1) return text == "a" || text == "A" || text == "I";
  if (text.empty() || !IsLetter(text.front()) || !IsLetter(text.back())) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsLetter(text[i])) continue;
    if ((text[i] != '-' && text[i] != '\'') || !IsLetter(text[i + 1])) return false;
  }
  return true;
}

// A lookup's result, with its rows or with them still to be read.
template <class Result>
bool Found(const Result& result) {
  return result.shown && result.lists[0] && result.lists[0]->count > 0;
}

std::string ReadFile(const std::string& path, const char* what) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Failure{path + ": cannot open the " + what};
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw Failure{path + ": cannot read the " + what};
  return bytes.str();
}

std::vector<Token> ReadTokens(const std::vector<std::string>& texts, const import::EnglishForms& english,
                              int64_t& total) {
  std::map<std::string, int64_t> counts;
  total = 0;
  for (const std::string& path : texts) {
    const std::string text = ReadFile(path, "text");
    for (size_t at = text.find_first_not_of(kWhiteSpace); at != std::string::npos;) {
      const size_t end = std::min(text.find_first_of(kWhiteSpace, at), text.size());
      ++counts[text.substr(at, end - at)];
      ++total;
      at = text.find_first_not_of(kWhiteSpace, end);
    }
  }
  if (total == 0) throw Failure{"the texts hold no words"};

  text::Conversion toDictionary("CP932", "UTF-8");
  std::vector<Token> tokens;
  for (const auto& [text, occurrences] : counts) {
    Token token;
    token.text = text;
    token.occurrences = occurrences;
    size_t failedAt = 0;
    token.representable = toDictionary.Convert(text, token.query, failedAt);
    const std::string stripped = lookup::StripPunctuation(lookup::NormaliseQuery(token.query));
    if (token.representable && IsWord(stripped)) {
      token.word = dictionary::FoldedText(stripped);
      token.asCopied = dictionary::FoldedText(lookup::NormaliseQuery(token.query));
      token.candidates = english.BaseForms(token.word, true);
    }
    tokens.push_back(std::move(token));
  }
  return tokens;
}

struct Rates {
  int64_t asCopied = 0;
  int64_t withRule = 0;
  int64_t stripped = 0;  // every token looked up without its punctuation, found or not as copied
  int64_t words = 0;
  int64_t rightFirst = 0;
  int64_t wrongBase = 0;
  std::vector<bool> found;                                                 // by token, with the rule
  std::vector<std::pair<int64_t, std::string>> notRightFirst, wrongBases;  // occurrences, description
};

// The headword of a row, and the base a form line names first (empty when
// it is no form line).
std::pair<std::string, std::string> HeadwordAndBase(std::string_view row) {
  const size_t end = dictionary::HeadwordEnd(row);
  if (end == std::string_view::npos) return {std::string(row), {}};
  std::string_view meaning = row.substr(end + 1);
  meaning.remove_prefix(dictionary::PronunciationField(meaning));
  if (!import::IsFormLineMeaning(meaning)) return {std::string(row.substr(0, end)), {}};
  const std::string_view base = meaning.substr(meaning.find(' ') + 1);
  return {std::string(row.substr(0, end)), std::string(base.substr(0, base.find('\x82')))};  // before "の"
}

// Whether a form line for `form` names a right `base`: one of the bases of
// `form` by WordNet's morphology, a word `form` is a base of ("specify",
// named after "specifying", whose meaning it takes), or a word WordNet
// relates it to or that is the same compound ("positional" of "position",
// "builtin" of "built-in").
bool NamesRightBase(const import::EnglishForms& english, const std::string& form, const std::string& base) {
  const std::string folded = dictionary::FoldedText(base);
  const std::vector<std::string> bases = english.BaseForms(form), inflections = english.BaseForms(folded);
  return std::find(bases.begin(), bases.end(), folded) != bases.end() ||
         std::find(inflections.begin(), inflections.end(), form) != inflections.end() ||
         english.Relates(form, folded);
}

void Judge(const Token& token, const lookup::LookupResult& result, const import::EnglishForms& english,
           Rates& rates) {
  if (token.word.empty()) return;
  rates.words += token.occurrences;
  const lookup::ListFill& list = *result.lists[0];
  const bool found = list.count > 0;
  const auto [headword, base] =
      found ? HeadwordAndBase(list.rows.front()) : std::pair<std::string, std::string>{};
  const std::string folded = dictionary::FoldedText(headword);
  const auto isIn = [](const std::vector<std::string>& bases, const std::string& word) {
    return std::find(bases.begin(), bases.end(), dictionary::FoldedText(word)) != bases.end();
  };
  // The row of a headword the token's ending cut off leads to, whatever word
  // the dictionary has there ("namespaces" to "namespace"); a form line must
  // name a base WordNet's morphology gives.
  if (found && (folded == token.word || folded == token.asCopied || isIn(token.candidates, headword))) {
    rates.rightFirst += token.occurrences;
  } else {
    rates.notRightFirst.emplace_back(token.occurrences, token.text + " -> " + (found ? headword : "nothing"));
  }
  if (found && !base.empty() && folded == token.word && !NamesRightBase(english, token.word, base)) {
    rates.wrongBase += token.occurrences;
    rates.wrongBases.emplace_back(token.occurrences, token.text + " -> " + base);
  }
}

Rates Measure(const std::string& dictionary, const std::vector<Token>& tokens,
              const import::EnglishForms& english) {
  Rates rates;
  rates.found.assign(tokens.size(), false);
  std::vector<const Token*> batch;
  size_t checked = 0;
  auto lookUpBatch = [&] {
    std::vector<lookup::RetryPlan> plans;
    std::vector<std::string> words;
    for (const Token* token : batch) {
      plans.push_back(lookup::PlanLookupWithRetry(lookup::NormaliseQuery(token->query), false));
      const std::vector<std::string> more = plans.back().Words();
      words.insert(words.end(), more.begin(), more.end());
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    const auto matcher = std::make_shared<lookup::HeadwordMatcher>(words);
    dictionary::MemorySource source(dictionary);
    matcher->Scan(source);
    lookup::MatchedLister lister(matcher);

    for (size_t i = 0; i < batch.size(); ++i) {
      const Token& token = *batch[i];
      const bool asCopied = Found(lookup::RunLookup(plans[i].asGiven, lister));
      const lookup::LookupResult result = lookup::Drained(lookup::RunLookupWithRetry(plans[i], lister));
      const bool withRule = Found(result);
      if (asCopied && !withRule)
        throw Failure{"\"" + token.text + "\" was found as copied and lost with the rule"};
      if (++checked % kCheckEvery == 0 &&
          Found(lookup::LookupInBytes(dictionary, token.query, false)) != withRule)
        throw Failure{"\"" + token.text + "\": the lookup itself disagrees with this measure"};
      rates.asCopied += asCopied ? token.occurrences : 0;
      rates.withRule += withRule ? token.occurrences : 0;
      rates.found[static_cast<size_t>(&token - tokens.data())] = withRule;
      const bool stripped =
          plans[i].stripped ? Found(lookup::RunLookup(*plans[i].stripped, lister)) : asCopied;
      rates.stripped += stripped ? token.occurrences : 0;
      Judge(token, result, english, rates);
    }
    batch.clear();
  };
  for (const Token& token : tokens) {
    // An empty query (a token that starts with a zero byte) shows nothing.
    if (!token.representable || lookup::NormaliseQuery(token.query).empty()) continue;
    batch.push_back(&token);
    if (batch.size() == kTokensPerRead) lookUpBatch();
  }
  if (!batch.empty()) lookUpBatch();
  return rates;
}

std::string Percent(int64_t part, int64_t whole) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f%%", 100.0 * static_cast<double>(part) / static_cast<double>(whole));
  return text;
}

// Every form line of the dictionary whose named base is none of the bases
// WordNet's morphology gives its headword (nor an inflection of it).
void AuditFormLines(const std::string& name, std::string_view dictionary,
                    const import::EnglishForms& english) {
  int64_t formLines = 0;
  std::vector<std::pair<int64_t, std::string>> wrong;
  for (size_t at = 0; at < dictionary.size();) {
    const size_t end = std::min(dictionary.find('\n', at), dictionary.size());
    std::string_view line = dictionary.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto [headword, base] = HeadwordAndBase(line);
    if (base.empty()) continue;
    ++formLines;
    if (!NamesRightBase(english, dictionary::FoldedText(headword), base))
      wrong.emplace_back(1, headword + " -> " + base);
  }
  std::cerr << kProgram << ": " << name << ": " << formLines << " form lines, " << wrong.size() << " ("
            << Percent(static_cast<int64_t>(wrong.size()), std::max<int64_t>(formLines, 1))
            << ") naming a base WordNet's morphology does not give";
  for (size_t i = 0; i < wrong.size() && i < kMostListed; ++i)
    std::cerr << (i == 0 ? ", e.g. " : ", ") << wrong[i].second;
  std::cerr << "\n";
}

void ListMostFrequent(const std::string& what, std::vector<std::pair<int64_t, std::string>> items) {
  std::sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  std::cerr << kProgram << ":   " << items.size() << " distinct " << what;
  for (size_t i = 0; i < items.size() && i < kMostListed; ++i)
    std::cerr << (i == 0 ? ", most frequent: " : ", ") << items[i].second << " (" << items[i].first << ")";
  std::cerr << "\n";
}

int Usage() {
  std::cerr << "usage: " << kProgram
            << " --dict NAME=FILE [--before NAME=FILE] [--dict ...]... [--wordnet DIR] TEXT...\n"
            << "Prints, per dictionary, the share of the texts' white-space separated tokens that\n"
            << "the lookup finds as copied and with its second try for punctuation, and the share\n"
            << "of their words whose first row is the word's own or its base form's.\n";
  return 2;
}

// NAME=FILE
bool ParseNamed(const std::string& option, const std::string& value, std::string& name, std::string& file) {
  const size_t equals = value.find('=');
  if (equals == 0 || equals == std::string::npos || equals + 1 == value.size()) {
    std::cerr << kProgram << ": " << option << " needs NAME=FILE, not \"" << value << "\"\n";
    return false;
  }
  name = value.substr(0, equals);
  file = value.substr(equals + 1);
  return true;
}

void Print(const std::string& name, int64_t total, const Rates& rates) {
  std::cout << kProgram << " " << name << " tokens=" << total
            << " as_copied=" << Percent(rates.asCopied, total)
            << " with_rule=" << Percent(rates.withRule, total) << " words=" << rates.words
            << " right_first=" << Percent(rates.rightFirst, std::max<int64_t>(rates.words, 1))
            << " wrong_base=" << Percent(rates.wrongBase, std::max<int64_t>(rates.words, 1)) << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Dictionary> dictionaries;
  std::vector<std::pair<std::string, std::string>> befores;
  std::vector<std::string> texts;
  import::FormSources wordnet;
  wordnet.wordLists.clear();  // the morphology needs WordNet only
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--dict" || arg == "--before") {
      std::string name, file;
      if (!ParseNamed(arg, i + 1 < argc ? argv[++i] : "", name, file)) return Usage();
      if (arg == "--dict") {
        dictionaries.push_back({name, file, ""});
      } else {
        befores.emplace_back(name, file);
      }
    } else if (arg == "--wordnet") {
      if (i + 1 >= argc) return Usage();
      wordnet.wordnetDirectory = argv[++i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::cerr << kProgram << ": unknown option \"" << arg << "\"\n";
      return Usage();
    } else {
      texts.push_back(arg);
    }
  }
  for (const auto& before : befores) {
    auto it = std::find_if(dictionaries.begin(), dictionaries.end(),
                           [&](const Dictionary& d) { return d.name == before.first; });
    if (it == dictionaries.end()) {
      std::cerr << kProgram << ": --before " << before.first << ": no --dict " << before.first << "\n";
      return Usage();
    }
    it->before = before.second;
  }
  if (dictionaries.empty() || texts.empty()) return Usage();

  try {
    const import::EnglishForms english(wordnet);
    int64_t total = 0;
    const std::vector<Token> tokens = ReadTokens(texts, english, total);
    int64_t unrepresentable = 0;
    for (const Token& token : tokens) unrepresentable += token.representable ? 0 : token.occurrences;
    std::cerr << kProgram << ": " << total << " tokens, " << tokens.size() << " distinct, " << unrepresentable
              << " not in code page 932 (counted as not found)\n";

    auto measure = [&](const std::string& name, const std::string& path) {
      const auto start = std::chrono::steady_clock::now();
      const std::string dictionary = ReadFile(path, "dictionary");
      Rates rates = Measure(dictionary, tokens, english);
      const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
      Print(name, total, rates);
      std::cerr << kProgram << ": " << name << " (" << path
                << "): stripped=" << Percent(rates.stripped, total) << " measured in " << took.count()
                << " s\n";
      ListMostFrequent("words not right first", rates.notRightFirst);
      ListMostFrequent("words shown a form line of a wrong base", rates.wrongBases);
      AuditFormLines(name, dictionary, english);
      return rates;
    };
    for (const Dictionary& dictionary : dictionaries) {
      std::optional<Rates> before;
      if (!dictionary.before.empty()) before = measure(dictionary.name + "-before", dictionary.before);
      const Rates after = measure(dictionary.name, dictionary.path);
      for (size_t i = 0; before && i < tokens.size(); ++i)
        if (before->found[i] && !after.found[i])
          throw Failure{"\"" + tokens[i].text + "\" is found in " + dictionary.before + " but not in " +
                        dictionary.path};
    }
  } catch (const Failure& failure) {
    std::cerr << kProgram << ": " << failure.why << "\n";
    return 1;
  } catch (const import::ImportError& error) {
    std::cerr << kProgram << ": " << error.what() << "\n";
    return 1;
  } catch (const text::ConversionUnavailable& error) {
    std::cerr << kProgram << ": " << error.what() << "\n";
    return 1;
  }
  if (!std::cout) {
    std::cerr << kProgram << ": cannot write the result\n";
    return 1;
  }
  return 0;
}
