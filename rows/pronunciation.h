// Where a pronunciation goes in a row: between the headword and the rest, as
// TAB "[" pronunciation "]" TAB, in place of the headword's TAB.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rows {

// Whether a pronunciation can be registered for `row`: a row of the dictionary
// with a headword and a rest. False for the placeholder, for an empty row (no
// selection) and for a row without a TAB after its headword, which has no place
// for a pronunciation. A Ctrl+double-click on such a row opens no dialog.
bool IsRegistrableRow(std::string_view row);

// The row's text, without its line end, with `pronunciation` at the headword's
// TAB (the first TAB that follows a byte other than TAB). A pronunciation
// already there (a TAB-delimited "[...]" right after that TAB) is replaced.
// Nullopt when the row is not registrable.
std::optional<std::string> PronouncedRow(std::string_view row, std::string_view pronunciation);

}  // namespace rows
