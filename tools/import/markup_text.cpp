#include "markup_text.h"

#include <cstdint>
#include <utility>

#include "text_util.h"

namespace import {
namespace {

constexpr std::string_view kLineTags[] = {"br", "p",  "div",   "li",         "tr", "hr", "h1",
                                          "h2", "h3", "h4",    "h5",         "h6", "dt", "dd",
                                          "ul", "ol", "table", "blockquote", "pre"};
constexpr std::pair<std::string_view, char32_t> kNamedReferences[] = {
    {"amp", U'&'},         {"lt", U'<'},          {"gt", U'>'},         {"quot", U'"'},
    {"apos", U'\''},       {"nbsp", U' '},        {"ndash", U'\u2013'}, {"mdash", U'\u2014'},
    {"hellip", U'\u2026'}, {"middot", U'\u00B7'}, {"times", U'\u00D7'}, {"lsquo", U'\u2018'},
    {"rsquo", U'\u2019'},  {"ldquo", U'\u201C'},  {"rdquo", U'\u201D'}, {"laquo", U'\u00AB'},
    {"raquo", U'\u00BB'}};
constexpr size_t kLongestReference = 10;  // "&#x10FFFF;"
constexpr std::string_view kCommentOpen = "<!--", kCommentClose = "-->";

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// The bytes of the tag that `s` begins with, '>' included; 0 when '<' begins
// none. An unclosed comment hides the rest.
size_t TagLength(std::string_view s) {
  if (StartsWith(s, kCommentOpen)) {
    size_t close = s.find(kCommentClose, kCommentOpen.size());
    return close == std::string_view::npos ? s.size() : close + kCommentClose.size();
  }
  if (s.size() < 2 || !(IsAsciiLetter(s[1]) || s[1] == '/' || s[1] == '!' || s[1] == '?')) return 0;
  size_t close = s.find('>');
  return close == std::string_view::npos ? 0 : close + 1;
}

bool BreaksLine(std::string_view tag) {
  size_t i = 1;
  if (i < tag.size() && tag[i] == '/') ++i;
  std::string name;
  while (i < tag.size() && (IsAsciiLetter(tag[i]) || IsAsciiDigit(tag[i]))) name += LowerAscii(tag[i++]);
  for (std::string_view t : kLineTags)
    if (name == t) return true;
  return false;
}

// Appends the character of the reference `s` begins with and returns its
// bytes; 0 when '&' begins no reference this knows.
size_t AppendReference(std::string_view s, std::string& out) {
  size_t end = s.substr(0, kLongestReference + 1).find(';');
  if (end == std::string_view::npos || end < 2) return 0;
  std::string_view name = s.substr(1, end - 1);
  if (name[0] != '#') {
    for (const auto& [n, cp] : kNamedReferences) {
      if (n == name) {
        AppendUtf8(cp, out);
        return end + 1;
      }
    }
    return 0;
  }
  const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
  std::string_view digits = name.substr(hex ? 2 : 1);
  if (digits.empty()) return 0;
  uint32_t cp = 0;
  for (char c : digits) {
    int d = IsAsciiDigit(c)                                   ? c - '0'
            : hex && IsAsciiLetter(c) && LowerAscii(c) <= 'f' ? LowerAscii(c) - 'a' + 10
                                                              : -1;
    if (d < 0) return 0;
    cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(d);
    if (cp > 0x10FFFF) return 0;
  }
  if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  AppendUtf8(cp, out);
  return end + 1;
}

}  // namespace

std::string MarkupToText(std::string_view markup) {
  std::string out;
  out.reserve(markup.size());
  for (size_t i = 0; i < markup.size();) {
    const char c = markup[i];
    if (c == '<') {
      if (size_t n = TagLength(markup.substr(i))) {
        if (BreaksLine(markup.substr(i, n))) out += '\n';
        i += n;
        continue;
      }
    } else if (c == '&') {
      if (size_t n = AppendReference(markup.substr(i), out)) {
        i += n;
        continue;
      }
    } else if (c == ' ' || c == '\t') {
      if (!out.empty() && out.back() != ' ') out += ' ';
      ++i;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

}  // namespace import
