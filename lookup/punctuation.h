// What comes along when a word is copied out of prose, a table or a code
// comment: "Reviews," "(see" "it’s" “quoted” " apple" "apple\r\n" *fatal*.
#pragma once

#include <string>
#include <string_view>

namespace lookup {

// `word` without the punctuation at its ends, ASCII "'()[]{}<>,.;:!?- and
// their full-width and typographic forms in code page 932, the marks of
// plain-text emphasis and code *_` and white space (space, TAB, CR, LF and
// the full-width space), and with each
// typographic apostrophe left inside read as ' so that the inflection
// ending 's applies. `word` unchanged when it holds nothing but punctuation.
// Walks whole characters from the start: a lead byte and the byte after it
// are one character, so the trail byte of a double-byte character that
// equals an ASCII bracket is never taken for one.
std::string StripPunctuation(std::string_view word);

}  // namespace lookup
