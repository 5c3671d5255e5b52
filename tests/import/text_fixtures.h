// Dictionaries as users bring them, written by the tests: each text format in
// the encodings and line ends it comes in, the other formats once, and the
// inputs an import must refuse. Shared by the native tests and, through
// write_fixtures, by the scripts that compare them with the Windows importer.
#pragma once

#include <string>
#include <vector>

#include "import_error.h"
#include "source_recognition.h"

namespace import_test {

struct GoodFixture {
  std::string name;  // the file to drop; a StarDict or dictd dictionary has companions beside it
  import::SourceFormat format;
  bool inCp932 = true;  // false: it holds characters each system replaces in its own way
};

struct BadFixture {
  std::string name;
  import::Problem problem;
  size_t line;  // the line its message names; 0 for none
};

// Writes every fixture into the folder `dir` (with a trailing separator).
void WriteFixtures(const std::string& dir, std::vector<GoodFixture>& good, std::vector<BadFixture>& bad);

// What the fixtures of `format` import to, "headword TAB meaning" in UTF-8.
std::vector<std::string> ExpectedLines(import::SourceFormat format);

}  // namespace import_test
