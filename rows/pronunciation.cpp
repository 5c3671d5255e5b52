#include "rows/pronunciation.h"

#include "dictionary/dictionary_line.h"
#include "dictionary/text_mode_reader.h"

namespace rows {
namespace {

std::string_view WithoutLineEnd(std::string_view row) {
  if (!row.empty() && row.back() == '\n') row.remove_suffix(1);
  return row;
}

}  // namespace

// The field holds no ']' but the closing one: a ']' byte may be the second
// byte of a double-byte character, and a meaning that merely begins with
// "[名]" must never be taken for a pronunciation.
std::size_t PronunciationField(std::string_view rest) {
  if (rest.empty() || rest.front() != '[') return 0;
  const std::size_t tab = rest.find('\t');
  if (tab == std::string_view::npos || tab < 2) return 0;
  const std::size_t close = rest.find(']');
  return close == tab - 1 ? tab + 1 : 0;
}

bool IsRegistrableRow(std::string_view row) {
  return row != dictionary::kUnknownRow && row.size() <= dictionary::kMaxPieceLength &&
         dictionary::HeadwordEnd(WithoutLineEnd(row)) != std::string_view::npos;
}

std::optional<std::string> PronouncedRow(std::string_view row, std::string_view pronunciation) {
  if (!IsRegistrableRow(row)) return std::nullopt;
  const std::string_view text = WithoutLineEnd(row);
  const std::size_t tab = dictionary::HeadwordEnd(text);
  std::string_view rest = text.substr(tab + 1);
  rest.remove_prefix(PronunciationField(rest));

  std::string pronounced;
  pronounced.reserve(text.size() + pronunciation.size() + 4);
  pronounced.append(text.substr(0, tab)).append("\t[");
  pronounced.append(pronunciation).append("]\t").append(rest);
  return pronounced;
}

}  // namespace rows
