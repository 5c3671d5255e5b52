#include "registrations.h"

#include <string_view>

#include "gzip_file.h"
#include "lookup/dictionary_line.h"
#include "lookup/text_mode.h"
#include "result/pronunciation.h"

namespace import {

const Registration* Registrations::Find(const std::string& headword) const {
  auto it = indexOf.find(headword);
  return it == indexOf.end() ? nullptr : &items[it->second];
}

Registrations ReadRegistrations(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  Registrations found;
  lookup::MemorySource source(bytes);
  lookup::PieceFilter everyPiece;
  everyPiece.AllowAll();
  bool startsLine = true;  // the pieces after the first of a long line hold no headword
  lookup::ForEachPiece(source, everyPiece, [&](const lookup::Piece& piece) {
    const bool isLineStart = startsLine;
    startsLine = piece.end != lookup::PieceEnd::kLimit;
    if (!isLineStart) return true;
    std::string_view line = piece.text.substr(0, piece.text.find('\0'));
    const size_t tab = lookup::HeadwordEnd(line);
    if (tab == std::string_view::npos) return true;
    const std::string_view rest = line.substr(tab + 1);
    const size_t field = rowaction::PronunciationField(rest);
    if (field == 0) return true;
    Registration registration{std::string(line.substr(0, tab)), std::string(rest.substr(1, field - 3))};
    auto [it, added] = found.indexOf.emplace(registration.headword, found.items.size());
    if (added) {
      found.items.push_back(std::move(registration));
    } else if (found.items[it->second].pronunciation != registration.pronunciation) {
      found.conflicting.push_back(std::move(registration));
    }
    return true;
  });
  return found;
}

}  // namespace import
