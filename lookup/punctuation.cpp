#include "lookup/punctuation.h"

#include <vector>

namespace lookup {
namespace {

// White space comes along with a spreadsheet cell (its CR LF) or a selection
// in a browser; *_` mark emphasis and code in plain text.
constexpr std::string_view kAsciiPunctuation = "\"'()[]{}<>,.;:!?-*_` \t\r\n";

// Full-width and typographic forms, one code page 932 character each.
constexpr std::string_view kWidePunctuation[] = {
    "\x81\x67", "\x81\x68",  // “ ”
    "\x81\x65", "\x81\x66",  // ‘ ’
    "\xFA\x57", "\xFA\x56",  // ＂ ＇
    "\x87\x80", "\x87\x81",  // 〝 〟
    "\x81\x75", "\x81\x76",  // 「 」
    "\x81\x77", "\x81\x78",  // 『 』
    "\xA2",     "\xA3",      // half-width ｢ ｣
    "\x81\x69", "\x81\x6A",  // （ ）
    "\x81\x6B", "\x81\x6C",  // 〔 〕
    "\x81\x6D", "\x81\x6E",  // ［ ］
    "\x81\x79", "\x81\x7A",  // 【 】
    "\x81\x6F", "\x81\x70",  // ｛ ｝
    "\x81\x83", "\x81\x84",  // ＜ ＞
    "\x81\x71", "\x81\x72",  // 〈 〉
    "\x81\x73", "\x81\x74",  // 《 》
    "\x81\x43", "\x81\x41",  // ， 、
    "\xA4",     "\xA1",      // half-width ､ ｡
    "\x81\x44", "\x81\x42",  // ． 。
    "\x81\x63", "\x81\x64",  // … ‥
    "\x81\x47", "\x81\x46",  // ； ：
    "\x81\x49", "\x81\x48",  // ！ ？
    "\x81\x7C", "\x81\x5D",  // － ‐
    "\x81\x5C",              // ― (an em dash in code page 932)
    "\x81\x40",              // the full-width space
};

constexpr std::string_view kTypographicApostrophe = "\x81\x66";  // ’

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

bool IsPunctuation(std::string_view character) {
  if (character.size() == 1 && kAsciiPunctuation.find(character[0]) != std::string_view::npos) return true;
  for (std::string_view wide : kWidePunctuation)
    if (character == wide) return true;
  return false;
}

// The characters of `text`, in order; a lead byte at the very end stands alone.
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> characters;
  for (size_t at = 0; at < text.size();) {
    const size_t length = IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
    characters.push_back(text.substr(at, length));
    at += length;
  }
  return characters;
}

}  // namespace

std::string StripPunctuation(std::string_view word) {
  const std::vector<std::string_view> characters = Characters(word);
  size_t first = 0;
  size_t end = characters.size();
  while (first < end && IsPunctuation(characters[first])) ++first;
  while (end > first && IsPunctuation(characters[end - 1])) --end;
  if (first == end) return std::string(word);

  std::string stripped;
  for (size_t i = first; i < end; ++i) {
    if (characters[i] == kTypographicApostrophe) {
      stripped += '\'';
    } else {
      stripped += characters[i];
    }
  }
  return stripped;
}

}  // namespace lookup
