#include "tests/fuzz/punctuated_query.h"

#include <iterator>
#include <string_view>

namespace fuzz {
namespace {

// Code page 932 bytes. Besides punctuation and blanks: characters whose
// trail byte is an ASCII bracket and a lead byte without its trail, none of
// which may be taken off.
// clang-format off
const char* const kOpenings[] = {
    "", "(", "\"", "'", "[", "{", "<", "-", " (", "\t\"",
    "\x81\x67",    // “
    "\x81\x65",    // ‘
    "\x81\x75",    // 「
    "\x81\x69",    // （
    "\x81\x77",    // 『
    "\xA2",        // ｢
    "((\x81\x67",  // ((“
    "\x81\x5C",    // ―
    "\x83\x5D[",   // ゾ[
    "*", "`", "_", " \r\n*",
    "\x81\x40",    // the full-width space
};
const char* const kClosings[] = {
    "", ",", ".", ")", "\"", "'", "]", "}", ":", "!", "?", "-", "),", ". ", ".\t", ",\r\n",
    "\x81\x68",          // ”
    "\x81\x66",          // ’
    "\x81\x76",          // 」
    "\x81\x6A",          // ）
    "\x81\x42",          // 。
    "\x81\x41",          // 、
    "\x81\x49\x81\x48",  // ！？
    "\x81\x63",          // …
    ".\x81\x68",         // .”
    "\x83\x5D",          // ゾ, its trail byte is ']'
    "\x81\x5B]",         // ー], the trail byte of ー is '['
    "\x81",              // a lead byte alone
    "*", "_`", "\r\n", " \x81\x40",
};
// clang-format on

constexpr std::string_view kApostrophe = "\x81\x66";  // ’

}  // namespace

std::string Punctuated(std::string query, uint8_t flags, uint8_t opening, uint8_t closing) {
  if (flags & kTypographicFlag) {
    for (size_t at = query.find('\''); at != std::string::npos;
         at = query.find('\'', at + kApostrophe.size()))
      query.replace(at, 1, kApostrophe);
  }
  if (flags & kPunctuateFlag) {
    query = kOpenings[opening % std::size(kOpenings)] + query + kClosings[closing % std::size(kClosings)];
  }
  return query;
}

}  // namespace fuzz
