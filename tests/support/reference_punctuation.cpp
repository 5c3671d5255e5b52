#include "tests/support/reference_punctuation.h"

#include <cstring>
#include <deque>
#include <functional>
#include <set>

#include "tests/support/reference_lookup.h"

namespace lookup::reference {
namespace {

const std::set<std::string> kPunctuation = {
    "\"",       "'", "(", ")", "[", "]", "{", "}", "<", ">", ",", ".", ";", ":", "!", "?", "-",
    "*",        "_", "`", " ", "\t", "\r", "\n",
    "\x81\x40",  // the full-width space
    "\x81\x65",  // ‘
    "\x81\x66",  // ’
    "\x81\x67",  // “
    "\x81\x68",  // ”
    "\xFA\x56",  // ＇
    "\xFA\x57",  // ＂
    "\x87\x80",  // 〝
    "\x87\x81",  // 〟
    "\x81\x75",  // 「
    "\x81\x76",  // 」
    "\x81\x77",  // 『
    "\x81\x78",  // 』
    "\xA2",      // ｢
    "\xA3",      // ｣
    "\x81\x69",  // （
    "\x81\x6A",  // ）
    "\x81\x6B",  // 〔
    "\x81\x6C",  // 〕
    "\x81\x6D",  // ［
    "\x81\x6E",  // ］
    "\x81\x6F",  // ｛
    "\x81\x70",  // ｝
    "\x81\x71",  // 〈
    "\x81\x72",  // 〉
    "\x81\x73",  // 《
    "\x81\x74",  // 》
    "\x81\x79",  // 【
    "\x81\x7A",  // 】
    "\x81\x83",  // ＜
    "\x81\x84",  // ＞
    "\x81\x41",  // 、
    "\x81\x42",  // 。
    "\x81\x43",  // ，
    "\x81\x44",  // ．
    "\xA1",      // ｡
    "\xA4",      // ､
    "\x81\x63",  // …
    "\x81\x64",  // ‥
    "\x81\x46",  // ：
    "\x81\x47",  // ；
    "\x81\x48",  // ？
    "\x81\x49",  // ！
    "\x81\x5C",  // ―
    "\x81\x5D",  // ‐
    "\x81\x7C",  // －
};

bool IsLead(unsigned char c) { return (0x81 <= c && c <= 0x9F) || (0xE0 <= c && c <= 0xFC); }

// The query buffer as the literal lookup fills it: 127 bytes at most,
// then one trailing space and one trailing TAB dropped.
std::string QueryBuffer(std::string_view query) {
  char buffer[128];
  std::strncpy(buffer, std::string(query).c_str(), sizeof buffer - 1);
  buffer[sizeof buffer - 1] = '\0';
  size_t length = std::strlen(buffer);
  if (length > 0 && buffer[length - 1] == ' ') buffer[--length] = '\0';
  if (length > 0 && buffer[length - 1] == '\t') buffer[--length] = '\0';
  return buffer;
}

LookupResult WithRetry(const std::function<LookupResult(std::string_view)>& lookup, std::string_view query) {
  LookupResult asGiven = lookup(query);
  if (!asGiven.shown || asGiven.largestCount != 0 || !asGiven.lists[0]->opened) return asGiven;
  const std::string buffer = QueryBuffer(query);
  const std::string stripped = StripPunctuation(buffer);
  if (stripped == buffer) return asGiven;
  LookupResult again = lookup(stripped);
  return again.shown ? again : asGiven;
}

}  // namespace

std::string StripPunctuation(std::string_view word) {
  std::deque<std::string> characters;
  for (size_t i = 0; i < word.size(); ++i) {
    if (IsLead(static_cast<unsigned char>(word[i])) && i + 1 < word.size()) {
      characters.emplace_back(word.substr(i, 2));
      ++i;
    } else {
      characters.emplace_back(1, word[i]);
    }
  }
  while (!characters.empty() && kPunctuation.count(characters.front())) characters.pop_front();
  while (!characters.empty() && kPunctuation.count(characters.back())) characters.pop_back();
  if (characters.empty()) return std::string(word);
  std::string stripped;
  for (const std::string& character : characters) stripped += character == "\x81\x66" ? "'" : character;
  return stripped;
}

LookupResult LookupWithRetry(const std::string& path, std::string_view query, bool related) {
  return WithRetry([&](std::string_view q) { return Lookup(path, q, related); }, query);
}

LookupResult LookupWithRetryInBytes(std::string_view dictionary, std::string_view query, bool related) {
  return WithRetry([&](std::string_view q) { return LookupInBytes(dictionary, q, related); }, query);
}

}  // namespace lookup::reference
