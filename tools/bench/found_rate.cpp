// How much of a prose text the lookup finds when each word is taken as it
// stands, punctuation and all, as a user copies it:
//
//   found_rate --dict NAME=FILE [--dict NAME=FILE]... TEXT...
//
// The texts (UTF-8, or ASCII) are split on white space only; each token is
// converted to code page 932 and looked up as the pop-up does with related
// words off: found when list 1000 has a found line. Prints per dictionary
//   found_rate <name> tokens=<n> as_copied=<x>% with_rule=<y>%
// as_copied: the lookup without the second try for punctuation; with_rule:
// the program's lookup. A token code page 932 can't hold counts as not found
// in both. Details go to stderr, among them stripped=<z>%: every token
// looked up without its punctuation, whether found as copied or not.
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
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/byte_source.h"
#include "lookup/headword_matcher.h"
#include "lookup/lookup.h"
#include "lookup/lookup_run.h"
#include "lookup/punctuation_retry.h"
#include "lookup/query_normalisation.h"
#include "tools/text/iconv_handle.h"

namespace {

constexpr char kProgram[] = "found_rate";
constexpr char kWhiteSpace[] = " \t\n\v\f\r";
constexpr size_t kTokensPerRead = 256;
constexpr size_t kCheckEvery = 499;  // distinct tokens between two checks

struct Failure {
  std::string why;
};

struct Dictionary {
  std::string name;
  std::string path;
};

// A distinct token of the texts.
struct Token {
  std::string text;  // as in the text
  int64_t occurrences = 0;
  bool representable = false;
  std::string query;  // in code page 932
};

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

std::vector<Token> ReadTokens(const std::vector<std::string>& texts, int64_t& total) {
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

  text::IconvHandle toDictionary("CP932", "UTF-8");
  std::vector<Token> tokens;
  for (const auto& [text, occurrences] : counts) {
    Token token;
    token.text = text;
    token.occurrences = occurrences;
    size_t failedAt = 0;
    token.representable = toDictionary.Convert(text, token.query, failedAt);
    tokens.push_back(std::move(token));
  }
  return tokens;
}

struct Rates {
  int64_t asCopied = 0;
  int64_t withRule = 0;
  int64_t stripped = 0;  // every token looked up without its punctuation, found or not as copied
};

Rates Measure(const std::string& dictionary, const std::vector<Token>& tokens) {
  Rates rates;
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
      const bool withRule = Found(lookup::RunLookupWithRetry(plans[i], lister));
      if (asCopied && !withRule)
        throw Failure{"\"" + token.text + "\" was found as copied and lost with the rule"};
      if (++checked % kCheckEvery == 0 &&
          Found(lookup::LookupInBytes(dictionary, token.query, false)) != withRule)
        throw Failure{"\"" + token.text + "\": the lookup itself disagrees with this measure"};
      rates.asCopied += asCopied ? token.occurrences : 0;
      rates.withRule += withRule ? token.occurrences : 0;
      const bool stripped =
          plans[i].stripped ? Found(lookup::RunLookup(*plans[i].stripped, lister)) : asCopied;
      rates.stripped += stripped ? token.occurrences : 0;
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

int Usage() {
  std::cerr << "usage: " << kProgram << " --dict NAME=FILE [--dict NAME=FILE]... TEXT...\n"
            << "Prints, per dictionary, the share of the texts' white-space separated tokens that\n"
            << "the lookup finds as copied and with its second try for punctuation.\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Dictionary> dictionaries;
  std::vector<std::string> texts;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--dict") {
      const std::string value = i + 1 < argc ? argv[++i] : "";
      const size_t equals = value.find('=');
      if (equals == 0 || equals == std::string::npos || equals + 1 == value.size()) {
        std::cerr << kProgram << ": --dict needs NAME=FILE, not \"" << value << "\"\n";
        return Usage();
      }
      dictionaries.push_back({value.substr(0, equals), value.substr(equals + 1)});
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::cerr << kProgram << ": unknown option \"" << arg << "\"\n";
      return Usage();
    } else {
      texts.push_back(arg);
    }
  }
  if (dictionaries.empty() || texts.empty()) return Usage();

  try {
    int64_t total = 0;
    const std::vector<Token> tokens = ReadTokens(texts, total);
    int64_t unrepresentable = 0;
    for (const Token& token : tokens) unrepresentable += token.representable ? 0 : token.occurrences;
    std::cerr << kProgram << ": " << total << " tokens, " << tokens.size() << " distinct, " << unrepresentable
              << " not in code page 932 (counted as not found)\n";

    for (const Dictionary& dictionary : dictionaries) {
      const auto start = std::chrono::steady_clock::now();
      const Rates rates = Measure(ReadFile(dictionary.path, "dictionary"), tokens);
      const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
      std::cout << kProgram << " " << dictionary.name << " tokens=" << total
                << " as_copied=" << Percent(rates.asCopied, total)
                << " with_rule=" << Percent(rates.withRule, total) << std::endl;
      std::cerr << kProgram << ": " << dictionary.name << " (" << dictionary.path
                << "): stripped=" << Percent(rates.stripped, total) << " measured in " << took.count()
                << " s\n";
    }
  } catch (const Failure& failure) {
    std::cerr << kProgram << ": " << failure.why << "\n";
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
