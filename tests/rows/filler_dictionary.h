// A dictionary large enough that reading and writing it take several buffers,
// with the line of the row "run TAB fast" in the middle, as it is before and
// after registering the pronunciation "x" for that row.
#pragma once

#include <string>

namespace rows {

struct FillerDictionary {
  std::string before;
  std::string after;
};

inline FillerDictionary MakeFillerDictionary(int lines) {
  FillerDictionary dictionary;
  for (int i = 0; i < lines; ++i) {
    const std::string line = "word" + std::to_string(i) + "\tmeaning " + std::to_string(i) + "\r\n";
    dictionary.before += line;
    dictionary.after += line;
    if (i == lines / 2) {
      dictionary.before += "run\tfast;note\r\n";
      dictionary.after += "run\t[x]\tfast;note\r\n";
    }
  }
  return dictionary;
}

}  // namespace rows
