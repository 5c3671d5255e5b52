#include "text_util.h"

#include <algorithm>

namespace import {
namespace {
constexpr char kEllipsis[] = "\xE2\x80\xA6";      // U+2026, in code page 932
constexpr char32_t kFirstCircledNumber = 0x2460;  // ①
constexpr int kCircledNumbers = 20;
bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

std::string_view Trim(std::string_view s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  size_t e = s.find_last_not_of(' ');
  return s.substr(b, e - b + 1);
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

std::vector<std::string_view> Split(std::string_view s, char separator) {
  std::vector<std::string_view> fields;
  for (;;) {
    size_t at = s.find(separator);
    fields.push_back(s.substr(0, at));
    if (at == std::string_view::npos) return fields;
    s.remove_prefix(at + 1);
  }
}

void AppendUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string SenseNumber(int index) {
  std::string out;
  if (index < kCircledNumbers) {
    AppendUtf8(kFirstCircledNumber + index, out);
  } else {
    out = "(" + std::to_string(index + 1) + ")";
  }
  return out;
}

size_t LineNumberAt(std::string_view text, size_t offset) {
  return 1 + static_cast<size_t>(std::count(text.begin(), text.begin() + std::min(offset, text.size()), '\n'));
}

std::string ShortenAtWord(std::string_view text, size_t limit, bool& shortened) {
  shortened = text.size() > limit;
  if (!shortened) return std::string(text);
  size_t cut = text.rfind(' ', limit);
  if (cut == std::string_view::npos || cut == 0) {
    cut = limit;
    while (cut > 0 && IsContinuationByte(text[cut])) --cut;
  }
  std::string_view kept = Trim(text.substr(0, cut));
  while (!kept.empty() && (kept.back() == ',' || kept.back() == ';' || kept.back() == ':'))
    kept = Trim(kept.substr(0, kept.size() - 1));
  // Close what the cut left open, so the note's own parenthesis still ends it.
  std::string out = std::string(kept) + kEllipsis;
  for (auto open = std::count(kept.begin(), kept.end(), '(') - std::count(kept.begin(), kept.end(), ')'); open > 0;
       --open)
    out += ')';
  return out;
}

}  // namespace import
