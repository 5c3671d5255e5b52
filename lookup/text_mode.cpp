#include "text_mode.h"

namespace lookup {

std::string PieceText(const Piece& piece) {
  std::string text(reinterpret_cast<const char*>(piece.bytes), piece.length);
  if (piece.crlf) text.back() = '\n';
  return text;
}

std::string_view RowText(std::string_view pieceText) {
  return pieceText.substr(0, pieceText.find_first_of(std::string_view(";\0", 2)));
}

}  // namespace lookup
