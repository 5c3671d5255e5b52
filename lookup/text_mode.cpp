#include "text_mode.h"

namespace lookup {

std::string_view RowText(std::string_view pieceText) {
  return pieceText.substr(0, pieceText.find_first_of(std::string_view(";\0", 2)));
}

}  // namespace lookup
