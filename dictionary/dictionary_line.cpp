#include "dictionary/dictionary_line.h"

namespace dictionary {

std::string_view RowText(std::string_view line) {
  return line.substr(0, line.find_first_of(std::string_view(";\0", 2)));
}

}  // namespace dictionary
