// Import of the CSV export of Japanese dictionary programs: a header row
// names the columns (word, trans, exp, pron, ...; word is required), and a
// field holding a comma, a quote or a line break is quoted with '"'.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "import_report.h"
#include "source_text.h"

namespace import {

struct CsvRecord {
  size_t line = 0;  // where it begins, from 1
  std::vector<std::string> fields;
};

// The records of `text`; a quoted field may hold commas, doubled quotes and
// line breaks (LF, CR LF or CR, kept as they are). Blank lines hold no
// record. Throws ImportError naming `path` and the line where a quote is
// left open.
std::vector<CsvRecord> ParseCsv(const std::string& path, std::string_view text);

// The lines of one word are joined, its senses numbered (the translation,
// then the example); the pron column becomes the line's pronunciation field;
// columns not named here are left out; the lines are sorted. Throws
// ImportError naming the file (and the line) when it is missing, not text,
// not valid in its encoding, has no word column, holds a row too long for
// the dictionary, or holds no row with a word and a translation.
Imported ImportCsv(const std::string& path, SourceEncoding encoding, const ImportSettings& settings = {});

}  // namespace import
