#include "rows/pronunciation.h"

#include "dictionary/dictionary_line.h"
#include "dictionary/text_mode_reader.h"

namespace rows {
namespace {

std::string_view WithoutLineEnd(std::string_view row) {
  if (!row.empty() && row.back() == '\n') row.remove_suffix(1);
  return row;
}

// Where the pronunciation goes in `text` (a row without its line end): the
// headword's TAB; npos when the row has no place for one.
std::size_t PronunciationPlace(std::string_view row, std::string_view text) {
  if (row == dictionary::kUnknownRow || row.size() > dictionary::kMaxPieceLength)
    return std::string_view::npos;
  return dictionary::HeadwordEnd(text);
}

}  // namespace

bool IsRegistrableRow(std::string_view row) {
  return PronunciationPlace(row, WithoutLineEnd(row)) != std::string_view::npos;
}

std::optional<std::string> PronouncedRow(std::string_view row, std::string_view pronunciation) {
  const std::string_view text = WithoutLineEnd(row);
  const std::size_t tab = PronunciationPlace(row, text);
  if (tab == std::string_view::npos) return std::nullopt;
  std::string_view rest = text.substr(tab + 1);
  rest.remove_prefix(dictionary::PronunciationField(rest));

  std::string pronounced;
  pronounced.reserve(text.size() + pronunciation.size() + 4);
  pronounced.append(text.substr(0, tab)).append("\t[");
  pronounced.append(pronunciation).append("]\t").append(rest);
  return pronounced;
}

}  // namespace rows
