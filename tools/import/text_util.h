// Small helpers for the UTF-8 source texts; ASCII-only decisions, which never
// split a UTF-8 character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace import {

std::string_view Trim(std::string_view s);
bool StartsWith(std::string_view s, std::string_view prefix);
bool EndsWith(std::string_view s, std::string_view suffix);
// Splits at every `separator`; keeps empty fields.
std::vector<std::string_view> Split(std::string_view s, char separator);
// Appends the UTF-8 form of the code point `cp`.
void AppendUtf8(char32_t cp, std::string& out);
// The mark of the sense `index` (from 0) of a line of several: "①" to "⑳",
// which code page 932 has, then "(21)", "(22)", ...
std::string SenseNumber(int index);
// The 1-based number of the line that holds byte `offset` of `text`.
size_t LineNumberAt(std::string_view text, size_t offset);
// `text` unchanged when it has at most `limit` bytes; otherwise cut at the last
// space within `limit` bytes (or at a character boundary when there is none),
// without trailing punctuation, ended with "…" and with any parenthesis it
// left open closed.
std::string ShortenAtWord(std::string_view text, size_t limit, bool& shortened);

}  // namespace import
