// A dictionary whose gaps are filled from another: its own lines, and the
// other's line of each headword it lacks, marked with where it comes from.
#pragma once

#include <string_view>

#include "import_report.h"

namespace import {

// Put before the meaning of a line taken from EDICT: 〔EDICT〕.
inline constexpr std::string_view kEdictMark =
    "\x81\x6B"
    "EDICT"
    "\x81\x6C";

// `base` and `filler` were imported with `settings` (without form lines);
// the result has both reports in one, its lines sorted, and is finished with
// FinishLines.
Imported FillGaps(Imported base, Imported filler, std::string_view fillerName, std::string_view mark,
                  const ImportSettings& settings);

}  // namespace import
