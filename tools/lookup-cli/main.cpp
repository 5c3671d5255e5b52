// lexmoor-lookup: looks a word up in a dictionary file as the pop-up does and
// prints what its result window would show.
#include <langinfo.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "dictionary/dictionary_paths.h"
#include "lookup/lookup.h"
#include "result_text.h"

namespace {

constexpr char kProgram[] = "lexmoor-lookup";
constexpr int kBadUsage = 2;

void PrintUsage(std::ostream& out) {
  out << "usage: " << kProgram << " [--dict FILE] [--related] WORD\n"
      << "Lists the dictionary lines whose headword begins with WORD (ignoring case),\n"
      << "with the inflection fallback and, with --related, the prefix-exchanged words.\n"
      << "  --dict FILE  the dictionary (default ./" << dictionary::kDictionaryFile << ")\n"
      << "Exit status: 0 found, 1 nothing found, 2 bad usage or unreadable dictionary.\n";
}

int Fail(const std::string& why, bool usage) {
  std::cerr << kProgram << ": " << why << "\n";
  if (usage) PrintUsage(std::cerr);
  return kBadUsage;
}

}  // namespace

int main(int argc, char** argv) {
  std::string dictionaryPath = dictionary::kDictionaryFile;
  std::string word;
  bool related = false, haveWord = false, optionsEnd = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (!optionsEnd && arg == "--") {
      optionsEnd = true;
    } else if (!optionsEnd && (arg == "-h" || arg == "--help")) {
      PrintUsage(std::cout);
      return 0;
    } else if (!optionsEnd && arg == "--related") {
      related = true;
    } else if (!optionsEnd && arg == "--dict") {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') return Fail("--dict needs a file name", true);
      dictionaryPath = argv[++i];
    } else if (!optionsEnd && arg.size() > 1 && arg[0] == '-') {
      return Fail("unknown option \"" + arg + "\"", true);
    } else if (haveWord) {
      return Fail("one word at a time (quote a phrase)", true);
    } else {
      word = arg;
      haveWord = true;
    }
  }
  if (!haveWord) return Fail("which word?", true);

  std::setlocale(LC_CTYPE, "");
  lookup_cli::TerminalText text(std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0);
  std::string query;
  if (!text.ToDictionary(word, query)) return Fail("\"" + word + "\" cannot be written in code page 932", false);

  // The pop-up shows nothing for a missing dictionary; a command says why.
  std::error_code ec;
  if (std::filesystem::is_directory(dictionaryPath, ec))
    return Fail(dictionaryPath + ": is a folder, not a dictionary file", false);
  if (FILE* f = std::fopen(dictionaryPath.c_str(), "rb")) {
    std::fclose(f);
  } else {
    return Fail(dictionaryPath + ": cannot open the dictionary: " + std::strerror(errno), false);
  }

  lookup::LookupResult result = lookup::Lookup(dictionaryPath, query, related);
  if (!result.shown) return Fail("nothing to look up in \"" + word + "\"", true);
  if (!result.lists[0] || !result.lists[0]->opened)
    return Fail(dictionaryPath + ": cannot read the dictionary", false);
  std::cout << lookup_cli::ResultText(result, text) << std::flush;
  if (!std::cout) return Fail("cannot write the result", false);
  return lookup_cli::ExitCodeFor(result);
}
