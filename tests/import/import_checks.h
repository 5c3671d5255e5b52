// Checking imports: their lines as readable text, to compare with
// expectations written in UTF-8, and their failure messages.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "import_error.h"
#include "import_report.h"
#include "tools/text/conversion.h"

namespace import_test {

// `text` converted between UTF-8 and code page 932; throws when it can't be.
inline std::string Convert(const char* to, const char* from, const std::string& text) {
  text::Conversion convert(to, from);
  std::string out;
  size_t failedAt = 0;
  if (!convert.Convert(text, out, failedAt)) throw std::runtime_error("not convertible: " + text);
  return out;
}
inline std::string Cp932(const std::string& utf8) { return Convert("CP932", "UTF-8", utf8); }
inline std::string Utf8(const std::string& cp932) { return Convert("UTF-8", "CP932", cp932); }

// The lines of an import as "headword TAB meaning" in UTF-8.
inline std::vector<std::string> LinesOf(const import::Imported& imported) {
  std::vector<std::string> lines;
  for (const auto& line : imported.lines) lines.push_back(Utf8(line.headword + "\t" + line.meaning));
  return lines;
}

// Runs `import` and returns its failure message, or "" when it succeeded.
template <typename Import>
std::string FailureOf(Import import) {
  try {
    import();
  } catch (const import::ImportError& e) {
    return e.what();
  }
  return "";
}

}  // namespace import_test
