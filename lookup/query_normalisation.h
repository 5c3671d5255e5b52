// The query as a lookup works on it: at most its first 127 bytes, trimmed.
#pragma once

#include <string>
#include <string_view>

namespace lookup {

// The longest query a lookup takes; text beyond it is not looked at.
inline constexpr size_t kQueryCapacity = 127;

// Text ends at its first zero byte; a longer query keeps its first
// kQueryCapacity bytes; then one trailing space and after it one trailing TAB
// are dropped. Empty means there is nothing to look up.
std::string NormaliseQuery(std::string_view query);

// `text` up to its first zero byte, as a C string would hold it.
std::string_view UpToZeroByte(std::string_view text);

}  // namespace lookup
