// Import of the one-line text format of Japanese dictionary programs:
// "headword /// translation", optionally " / example" after it, with " \ "
// standing for a line break inside a field.
#pragma once

#include <string>

#include "import_report.h"
#include "source_text.h"

namespace import {

// The lines of one headword are joined, its senses numbered; the lines are
// sorted. Throws ImportError naming the file (and the line) when it is
// missing, not text, not valid in its encoding, holds a line too long for
// the dictionary, or holds no "headword /// translation" line.
Imported ImportSlashText(const std::string& path, SourceEncoding encoding,
                         const ImportSettings& settings = {});

}  // namespace import
