// Import of a dictionary file of this program's own ("headword TAB meaning"
// lines, such as the dictionaries it comes with), to put it in the place of
// the one in use: the registrations there are carried over to it.
#pragma once

#include <string>

#include "import_report.h"
#include "source_text.h"

namespace import {

// Each line stays a line of its own, in its order, ';' and TABs included,
// converted to code page 932 from whichever encoding the file is in (a file
// saved as UTF-8 by an editor is the usual case). Throws ImportError naming
// the file (and the line) when it is missing, not text, not valid in its
// encoding, holds a line too long for the program, or holds no line with a
// headword and a meaning.
Imported ImportDictionaryFile(const std::string& path, SourceEncoding encoding,
                              const ImportSettings& settings = {});

}  // namespace import
