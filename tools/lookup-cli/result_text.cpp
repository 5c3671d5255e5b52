#include "result_text.h"

namespace lookup_cli {
namespace {

constexpr char kDictionaryEncoding[] = "CP932";
constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD
constexpr int kFirstListId = 1000;

}  // namespace

TerminalText::TerminalText(bool utf8) {
  if (!utf8) return;
  try {
    toUtf8_.emplace("UTF-8", kDictionaryEncoding);
    fromUtf8_.emplace(kDictionaryEncoding, "UTF-8");
  } catch (const text::ConversionUnavailable&) {
    // Bytes then pass unchanged, as on a terminal that is not UTF-8.
    toUtf8_.reset();
    fromUtf8_.reset();
  }
}

std::string TerminalText::FromDictionary(std::string_view cp932) {
  if (!toUtf8_) return std::string(cp932);
  std::string out;
  // A byte code page 932 lacks becomes U+FFFD, and the rest is converted on.
  for (size_t failedAt = 0; !toUtf8_->Convert(cp932, out, failedAt); cp932.remove_prefix(failedAt + 1)) {
    out += kReplacement;
  }
  return out;
}

bool TerminalText::ToDictionary(std::string_view terminal, std::string& cp932) {
  cp932.clear();
  if (!fromUtf8_) {
    cp932 = terminal;
    return true;
  }
  size_t failedAt = 0;
  return fromUtf8_->Convert(terminal, cp932, failedAt);
}

std::string ResultText(const lookup::LookupResult& result, TerminalText& text) {
  std::string out;
  for (int i = 0; i < result.listCounter && i < lookup::kListCount; ++i) {
    const std::optional<lookup::ListFill>& list = result.lists[i];
    if (!list) continue;
    out += "[" + std::to_string(kFirstListId + i) + "] ";
    out += list->count > 0 ? std::to_string(list->count) + " found\n" : "nothing found\n";
    for (const std::string& row : list->rows) {
      out += text.FromDictionary(row);
      if (row.empty() || row.back() != '\n') out += '\n';
    }
  }
  return out;
}

int ExitCodeFor(const lookup::LookupResult& result) {
  return result.lists[0] && result.lists[0]->count > 0 ? 0 : 1;
}

}  // namespace lookup_cli
