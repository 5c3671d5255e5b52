// The data of one StarDict entry: its fields and the text they hold.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace import {

struct StardictField {
  char type;              // 'm' text, 'h' HTML, 'g' Pango markup, 't' phonetic, ...
  std::string_view data;  // without its end or size
};

// The fields of one entry's `data`. With a `sameTypeSequence` the types are
// not stored and the last field takes what is left; otherwise each field
// begins with its type. Fields of a small-letter type end with a NUL, those
// of a capital type begin with their size (32 bits, big-endian). Returns
// false and says why when `data` has not that shape.
bool SplitStardictFields(std::string_view data, std::string_view sameTypeSequence,
                         std::vector<StardictField>& fields, std::string& why);

// What an entry's fields say, in UTF-8 as they hold it.
struct StardictText {
  std::vector<std::string> lines;           // of the text and markup fields, trimmed, none empty
  std::vector<std::string> pronunciations;  // of the phonetic fields, trimmed, none empty
  std::string otherTypes;                   // types of the fields left out, one letter per field
};
StardictText TextOfFields(const std::vector<StardictField>& fields);

}  // namespace import
