// What a dropped file's import tells the user, in Japanese (UTF-8): what was
// read and written, what was left out and why, where the files are; or what
// was wrong with which file.
#pragma once

#include <string>

#include "drop_import.h"
#include "import_error.h"

namespace import {

// The name of `format` in Japanese, for the message.
std::string FormatName(SourceFormat format);

// A label of ImportReport's tallies in Japanese; the label itself when it has
// no translation.
std::string InJapanese(const std::string& label);

// `file` and `dictionary` are shown as given: in UTF-8.
std::string SuccessMessage(const ImportReport& report, SourceFormat format, const std::string& file,
                           const std::string& dictionary, const ToDisplay& toDisplay);

// For the importer started with no file (double-clicked) and with several.
std::string HowToDrop();
std::string OneFileAtATime(size_t files);

std::string FailureMessage(const ImportError& error, const std::string& file, const std::string& dictionary,
                           const ToDisplay& toDisplay);

}  // namespace import
