#include "rows/row_word.h"

namespace rows {
namespace {

// "の過去" (past form of) in code page 932.
constexpr std::string_view kPastFormMark = "\x82\xCC\x89\xDF\x8B\x8E";

}  // namespace

std::optional<std::string> WordToFollow(std::string_view row) {
  const std::size_t mark = row.find(kPastFormMark);
  if (mark != std::string_view::npos) {
    const std::string_view before = row.substr(0, mark);
    const std::size_t space = before.find(' ');
    if (space == std::string_view::npos) return std::nullopt;
    return std::string(before.substr(space + 1));
  }
  const std::size_t space = row.find(' ');
  if (space == std::string_view::npos) return std::nullopt;
  const std::string_view head = row.substr(0, space);
  return std::string(head.substr(0, head.find('\t')));
}

}  // namespace rows
