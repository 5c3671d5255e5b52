// The word a plain double-click on a result row follows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rows {

// In a row that mentions a past form ("の過去"), the word between the first
// space and that mention; otherwise the row's beginning up to its first space
// or TAB, whichever comes first. Nullopt when the row has no space where one is
// needed: the double-click then does nothing at all. The word may be empty.
// Plain byte searches, space meaning 0x20 only.
std::optional<std::string> WordToFollow(std::string_view row);

}  // namespace rows
