// Dresses a fuzz query as text copied out of prose: punctuation around it,
// typographic apostrophes inside.
#pragma once

#include <cstdint>
#include <string>

namespace fuzz {

// Flags of the header's first byte that this looks at.
inline constexpr uint8_t kPunctuateFlag = 16;    // put punctuation at both ends
inline constexpr uint8_t kTypographicFlag = 32;  // every ' becomes ’

// `opening` and `closing` pick what goes before and after the query (modulo
// the number of choices).
std::string Punctuated(std::string query, uint8_t flags, uint8_t opening, uint8_t closing);

}  // namespace fuzz
