// The text lexmoor-lookup prints: the result window's lists, one after the
// other, rows as they stand in the lists.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "lookup/lookup.h"
#include "tools/text/conversion.h"

namespace lookup_cli {

// Converts dictionary bytes (code page 932) for the terminal.
class TerminalText {
 public:
  // `utf8`: convert to UTF-8; otherwise bytes pass unchanged.
  explicit TerminalText(bool utf8);

  // Bytes code page 932 lacks become U+FFFD: a damaged line still shows.
  std::string FromDictionary(std::string_view cp932);
  // The query as the dictionary spells it; false when code page 932 can't.
  bool ToDictionary(std::string_view terminal, std::string& cp932);

 private:
  // When converting, and the system can.
  std::optional<text::Conversion> toUtf8_;
  std::optional<text::Conversion> fromUtf8_;
};

// One block per list in use:
//   [1000] 2 found
//   <row>
//   <row>
// A row that ends without a line end (it was cut at its ';') gets one.
std::string ResultText(const lookup::LookupResult& result, TerminalText& text);

// 0 when list 1000 has a found line, 1 otherwise.
int ExitCodeFor(const lookup::LookupResult& result);

}  // namespace lookup_cli
