// Import of the "■" text format in which English-Japanese dictionary data is
// sold: "■headword  {part of speech} : meaning", readings in braces after
// kanji in the meaning, and lines beginning "■・" holding examples of the
// entry above.
#pragma once

#include <string>
#include <string_view>

#include "import_report.h"
#include "source_text.h"

namespace import {

// `meaning` without the readings in braces ("走る{はしる}" becomes "走る"):
// braces that hold only kana. `removed` counts them.
std::string WithoutReadings(std::string_view meaning, int64_t& removed);

// One dictionary line for each headword and part of speech, in the order
// they first appear, its meanings numbered and each example after its
// meaning: the pop-up shows a row per part of speech, short enough to read
// at a glance, rather than one row holding a whole long entry. The lines are
// sorted; those of one headword keep their order. Throws ImportError naming
// the file (and the line) when it is missing, not text, not valid in its
// encoding, holds an entry too long for the dictionary, or holds no entry.
Imported ImportSquareText(const std::string& path, SourceEncoding encoding,
                          const ImportSettings& settings = {});

}  // namespace import
