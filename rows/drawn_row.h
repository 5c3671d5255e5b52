// How a result row is drawn, portably: which of its characters show, and
// where the text after its first TAB begins, so that the meanings of the rows
// in sight start at one x.
#pragma once

#include <string>

namespace rows {

// Drops from `text` (a row as the list keeps it, UTF-16 on Windows) the
// characters that are not drawn: the line end and every other control
// character (C0, DEL, C1) but TAB, which stays as the gap between pieces.
void DropUndrawn(std::wstring& text);

// The x, from where a row's text starts, at which the meanings of the rows in
// sight begin: a gap after the widest of their headwords, but no further than
// half of `textWidth`, so that one long headword leaves the others' meanings
// in sight.
int MeaningColumn(int widestHeadword, int textWidth, int gap);

// Where the text after the first TAB of a row begins whose headword ends at
// `headwordEnd`: at the column, or a gap after a headword that reaches past it.
int MeaningStart(int headwordEnd, int column, int gap);

}  // namespace rows
