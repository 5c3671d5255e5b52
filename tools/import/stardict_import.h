// Import of a StarDict dictionary: one line per headword in the order of the
// .idx, the texts of its entries joined; a phonetic field becomes the line's
// pronunciation, and the synonyms of the .syn become lines of their own.
#pragma once

#include <string>

#include "import_report.h"

namespace import {

// Reads the dictionary given by its .ifo file and makes the lines. Throws
// ImportError naming the file (and the entry) when a file is missing or
// damaged.
Imported ImportStardict(const std::string& ifoPath, const ImportSettings& settings = {});

}  // namespace import
