// An import from start to end, as the command line runs it and as a file
// dropped onto the importer does: into the program's dictionary beside it,
// the outcome told in Japanese for a message box.
#pragma once

#include <functional>
#include <string>

#include "form_options.h"
#include "import_report.h"
#include "source_recognition.h"

namespace import {

// Runs `import` with the registrations of the dictionary at `output` (when
// `carryRegistrations` and it exists) and the English forms `forms` names,
// and writes its lines there, keeping the file it replaces as `output`.bak.
// Throws ImportError naming the file; then `output` is as it was.
ImportReport ImportInto(const std::string& output, bool carryRegistrations, Progress* progress,
                        const FormOptions& forms, const std::function<Imported(const ImportSettings&)>& import);

// A path or a message of the system's (ANSI code page on Windows) in UTF-8.
using ToDisplay = std::function<std::string(const std::string&)>;

struct DropOutcome {
  bool succeeded = false;
  std::string message;  // UTF-8, Japanese
};

// Imports `file`, whatever its format, into the dictionary at `dictionary`,
// carrying its registrations over. Never throws for a bad file: the outcome
// says what was wrong with which file, and the dictionary is then untouched.
DropOutcome ImportDroppedFile(const std::string& file, const std::string& dictionary,
                              const ToDisplay& toDisplay, const FormOptions& forms = FormOptions());

}  // namespace import
