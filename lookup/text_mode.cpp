#include "text_mode.h"

#include <algorithm>

namespace lookup {

std::string PieceText(std::string_view raw, const Piece& piece) {
  std::string text(raw.substr(piece.begin, piece.length));
  if (piece.crlf) text.back() = '\n';
  return text;
}

std::string RowText(std::string_view raw, const Piece& piece) {
  // Only the last byte can differ from the raw file, and it is LF then.
  std::string_view body = raw.substr(piece.begin, piece.length - piece.crlf);
  size_t cut = body.find_first_of(std::string_view(";\0", 2));
  if (cut != std::string_view::npos) return std::string(body.substr(0, cut));
  std::string row(body);
  if (piece.crlf) row += '\n';
  return row;
}

}  // namespace lookup
