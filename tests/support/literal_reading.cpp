#include "tests/support/literal_reading.h"

#include <algorithm>

namespace lookup::reference {

std::ostream& operator<<(std::ostream& out, const Reading& reading) {
  for (const ReadPiece& p : reading.pieces)
    out << "[" << p.text.size() << "B end " << static_cast<int>(p.end) << "] ";
  return out << "rest " << reading.rest.size() << "B";
}

Reading ReadLiterally(std::string_view raw) {
  std::string text;
  size_t i = 0;
  for (; i < raw.size() && raw[i] != dictionary::kEndOfFileByte; ++i) {
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') {
      text += '\n';
      ++i;
    } else {
      text += raw[i];
    }
  }
  Reading reading;
  reading.rest = std::string(raw.substr(i));
  for (size_t at = 0; at < text.size();) {
    const size_t lf = text.find('\n', at);
    const size_t size = std::min((lf == std::string::npos ? text.size() : lf + 1) - at, dictionary::kMaxPieceLength);
    ReadPiece piece{text.substr(at, size), dictionary::PieceEnd::kLimit};
    at += size;
    if (piece.text.back() == '\n')
      piece.end = dictionary::PieceEnd::kLineEnd;
    else if (at == text.size())
      piece.end = dictionary::PieceEnd::kEndOfText;
    reading.pieces.push_back(std::move(piece));
  }
  return reading;
}

Reading ReadThroughReader(dictionary::ByteSource& source, bool* complete) {
  Reading reading;
  dictionary::TextModeReader reader(source);
  dictionary::PieceFilter every;
  every.AllowAll();
  const dictionary::TextEnd end = reader.ForEachPiece(every, [&](const dictionary::Piece& piece) {
    reading.pieces.push_back({std::string(piece.text), piece.end});
  });
  const bool copied = reader.CopyRest([&](std::string_view bytes) {
    reading.rest.append(bytes);
    return true;
  });
  if (complete) *complete = end != dictionary::TextEnd::kReadError && copied;
  return reading;
}

}  // namespace lookup::reference
