// Lines for inflected forms: for a form that is no headword itself and whose
// lookup would not show its base's line first, a line that says what it is
// and gives the base's meaning at once, e.g.
//   files TAB n. fileの複数形・v. 三単現 ― ファイル、書類綴じ…
//   went TAB v. goの過去形 ― 行く…
// A past form reads "v. BASEの過去…", so that a double-click on the row
// follows BASE. Every line whose meaning (after a pronunciation field) begins
// with a part-of-speech label, a space, English words, "の" and the name of a
// form is a form line: an import makes them anew and carries a pronunciation
// registered on one over to the form line of the same headword only.
#pragma once

#include <string_view>

#include "import_report.h"

namespace import {

class EnglishForms;

// Whether `meaning`, what follows the headword's TAB with any pronunciation
// field taken off, is that of a form line.
bool IsFormLineMeaning(std::string_view meaning);

// Adds the form lines the headwords of `imported` need, in the order of the
// lines: sorted in, or after the line of their base when the lines keep the
// order they were added in. Counts them in the report.
void AddFormLines(Imported& imported, const EnglishForms& forms, LineOrder order);

}  // namespace import
