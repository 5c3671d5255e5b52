// What the command line says about form lines: where the English forms come
// from (--wordnet DIR, --words FILE...) or that there are none (--no-forms).
#pragma once

#include <optional>
#include <string>

#include "english_forms.h"
#include "import_report.h"

namespace import {

// The options' lines of the usage text.
std::string FormOptionsUsage();

class FormOptions {
 public:
  // Debian's data where it is installed.
  FormOptions() = default;

  // The data the Windows package carries beside the program.
  static FormOptions Packaged(const std::string& programFolder) {
    FormOptions options;
    options.sources_ = FormSources::Packaged(programFolder);
    options.whereFrom_ = "the package's folder \"forms\" holds the data";
    return options;
  }

  // As --no-forms gives.
  static FormOptions None() {
    FormOptions options;
    options.none_ = true;
    return options;
  }

  // Takes argv[i], and its value after it, when it is one of these options;
  // `error` tells what is wrong with it.
  bool Take(int argc, char** argv, int& i, std::string& error);

  // Loads the forms into `forms` and hands them to `settings`, or tells the
  // settings why there are none. Throws ImportError naming a file given that
  // can't be read.
  void Apply(std::optional<EnglishForms>& forms, ImportSettings& settings) const;

 private:
  FormSources sources_;
  // Where the default data comes from, for the report when it is missing.
  std::string whereFrom_ = "Debian's wordnet-base, wamerican and wbritish hold the data";
  bool none_ = false;
  bool wordnetGiven_ = false;
  bool wordsGiven_ = false;
};

}  // namespace import
