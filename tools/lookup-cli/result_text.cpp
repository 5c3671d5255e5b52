#include "result_text.h"

#include <iconv.h>

#include <cerrno>

namespace lookup_cli {
namespace {

constexpr char kDictionaryEncoding[] = "CP932";
constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD
constexpr int kFirstListId = 1000;

iconv_t Handle(void* h) { return static_cast<iconv_t>(h); }
bool Opened(void* h) { return h && Handle(h) != reinterpret_cast<iconv_t>(-1); }

// Converts `in`; on a byte it can't convert, appends `replacement` and skips
// the byte when `replacement` is given, else fails.
bool Convert(iconv_t cd, std::string_view in, std::string& out, const char* replacement) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* src = const_cast<char*>(in.data());
  size_t left = in.size();
  char chunk[4096];
  while (left > 0) {
    char* dst = chunk;
    size_t room = sizeof chunk;
    size_t rc = iconv(cd, &src, &left, &dst, &room);
    int err = errno;
    out.append(chunk, dst);
    if (rc != static_cast<size_t>(-1) || err == E2BIG) continue;
    if (!replacement) return false;
    out += replacement;
    ++src;
    --left;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return true;
}

}  // namespace

TerminalText::TerminalText(bool utf8) {
  if (!utf8) return;
  toUtf8_ = iconv_open("UTF-8", kDictionaryEncoding);
  fromUtf8_ = iconv_open(kDictionaryEncoding, "UTF-8");
}

TerminalText::~TerminalText() {
  if (Opened(toUtf8_)) iconv_close(Handle(toUtf8_));
  if (Opened(fromUtf8_)) iconv_close(Handle(fromUtf8_));
}

std::string TerminalText::FromDictionary(std::string_view cp932) {
  if (!Opened(toUtf8_)) return std::string(cp932);
  std::string out;
  Convert(Handle(toUtf8_), cp932, out, kReplacement);
  return out;
}

bool TerminalText::ToDictionary(std::string_view terminal, std::string& cp932) {
  cp932.clear();
  if (!Opened(fromUtf8_)) {
    cp932 = terminal;
    return true;
  }
  return Convert(Handle(fromUtf8_), terminal, cp932, nullptr);
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
