#include "form_options.h"

#include <filesystem>

namespace import {
namespace {

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(path, ignored);
}

// The first file of the English forms' data that is missing, if any.
std::string FirstMissing(const FormSources& sources) {
  for (const char* name : {"index.noun", "index.verb", "index.adj", "index.adv", "noun.exc", "verb.exc",
                           "adj.exc", "adv.exc", "data.noun", "data.verb", "data.adj", "data.adv"})
    if (!Exists(WordnetFile(sources.wordnetDirectory, name))) return WordnetFile(sources.wordnetDirectory, name);
  for (const std::string& list : sources.wordLists)
    if (!Exists(list)) return list;
  return {};
}

}  // namespace

std::string FormOptionsUsage() {
  return std::string("  --wordnet DIR, --words FILE  where the English inflections and related words\n") +
         "            come from: WordNet's index, exception and data files (default " + kWordnetDirectory +
         ")\n" + "            and word lists, one word a line (default " + kWordLists[0] + "\n" +
         "            and " + kWordLists[1] + "; each --words replaces them); a line is\n" +
         "            added for each inflected form, and each word derived from a headword,\n" +
         "            cut from it or written as one with it, whose lookup would not show\n" +
         "            its base's line first. Without the default files none are added, and\n" +
         "            the report says so\n" + "  --no-forms  add no lines for inflected forms or related words\n";
}

bool FormOptions::Take(int argc, char** argv, int& i, std::string& error) {
  const std::string option = argv[i];
  if (option == "--no-forms") {
    none_ = true;
  } else if (option == "--wordnet" || option == "--words") {
    if (i + 1 >= argc || argv[i + 1][0] == '\0') {
      error = option + " needs a value";
      return true;
    }
    const std::string value = argv[++i];
    if (option == "--wordnet") {
      sources_.wordnetDirectory = value;
      wordnetGiven_ = true;
    } else {
      if (!wordsGiven_) sources_.wordLists.clear();
      sources_.wordLists.push_back(value);
      wordsGiven_ = true;
    }
  } else {
    return false;
  }
  if (none_ && (wordnetGiven_ || wordsGiven_))
    error = "--no-forms and --wordnet or --words exclude each other";
  return true;
}

void FormOptions::Apply(std::optional<EnglishForms>& forms, ImportSettings& settings) const {
  if (none_) {
    settings.formsUnavailable = "--no-forms was given";
    return;
  }
  // Where the default data is missing, the dictionary is made all the same.
  const std::string missing = FirstMissing(sources_);
  if (!missing.empty() && !wordnetGiven_ && !wordsGiven_) {
    settings.formsUnavailable = missing + " is missing (" + whereFrom_ + "; --wordnet and --words name other files)";
    settings.formsMissing = missing;
    return;
  }
  forms.emplace(sources_);
  settings.forms = &*forms;
}

}  // namespace import
