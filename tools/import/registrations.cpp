#include "registrations.h"

#include <string_view>

#include "dictionary/byte_source.h"
#include "dictionary/dictionary_line.h"
#include "dictionary/text_mode_reader.h"
#include "form_lines.h"
#include "gzip_file.h"

namespace import {

const Registration* Registrations::Find(const std::string& headword) const {
  auto it = indexOf.find(headword);
  return it == indexOf.end() ? nullptr : &items[it->second];
}

Registrations ReadRegistrations(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  Registrations found;
  dictionary::MemorySource source(bytes);
  dictionary::PieceFilter everyPiece;
  everyPiece.AllowAll();
  bool startsLine = true;  // the pieces after the first of a long line hold no headword
  dictionary::ForEachPiece(source, everyPiece, [&](const dictionary::Piece& piece) {
    const bool isLineStart = startsLine;
    startsLine = piece.end != dictionary::PieceEnd::kLimit;
    if (!isLineStart) return true;
    std::string_view line = piece.text.substr(0, piece.text.find('\0'));
    const size_t tab = dictionary::HeadwordEnd(line);
    if (tab == std::string_view::npos) return true;
    const std::string_view rest = line.substr(tab + 1);
    const size_t field = dictionary::PronunciationField(rest);
    if (field == 0) return true;
    Registration registration{std::string(line.substr(0, tab)), std::string(rest.substr(1, field - 3)),
                              IsFormLineMeaning(rest.substr(field))};
    auto& index = registration.onFormLine ? found.formIndexOf : found.indexOf;
    auto [it, added] = index.emplace(registration.headword, found.items.size());
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
