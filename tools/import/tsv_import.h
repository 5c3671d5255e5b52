// Import of tab-separated text, "word TAB meaning" a line, as spreadsheets
// and flash-card programs export it.
#pragma once

#include <string>
#include <string_view>

#include "import_report.h"
#include "source_text.h"

namespace import {

// A field of a line as a spreadsheet writes one that holds a quote: in
// double quotes, each quote inside doubled. Other fields are returned as
// they are.
std::string Unquoted(std::string_view field);

// Reads the file and makes the sorted lines: the word before the first TAB
// is the headword, the further columns its meaning; the lines of one word
// are joined. Throws ImportError naming the file (and the line) when it is
// missing, not valid in its encoding, or holds no "word TAB meaning" line.
Imported ImportTsv(const std::string& path, SourceEncoding encoding, const ImportSettings& settings = {});

}  // namespace import
