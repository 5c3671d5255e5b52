// The senses of a line-based source gathered under their headwords: one
// dictionary line for each headword (and label, such as a part of speech), in
// the order they first appear, its senses numbered when there are several.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "cp932_encoder.h"
#include "import_report.h"

namespace import {

// Lines in the source that stand for one line break inside a field become this.
inline constexpr char kFieldLineBreak[] = " / ";
// An example follows its sense behind the mark the commercial data gives them.
inline constexpr char kExampleMark[] = " \xE3\x83\xBB";  // " ・"

class GroupedSenses {
 public:
  // Senses are read from the file `path` (for messages) into `imported`.
  GroupedSenses(std::string path, Cp932Encoder& encoder, Imported& imported)
      : path_(std::move(path)), encoder_(encoder), imported_(imported) {}

  // Adds `sense` (UTF-8, read at `line`) to the line of `headword` and
  // `label` (shown before the first sense; empty for none); a sense the line
  // has already is not repeated. The line's pronunciation is the first one
  // given. Returns false, adding nothing, when the headword is blank in code
  // page 932. Throws ImportError naming the file and line when the
  // sense alone is too long for a dictionary line.
  bool Add(size_t line, std::string_view headword, std::string_view label, std::string_view sense,
           std::string_view pronunciation = {});
  // Appends `text` (UTF-8, read at `line`) to the sense added last; false
  // when there is none.
  bool AppendToLast(size_t line, std::string_view text);

  bool empty() const { return groups_.empty(); }

  // AddJoinedLine for each group, in the order of first appearance.
  void AddLines();

 private:
  struct Group {
    std::string headword, label, pronunciation;  // code page 932
    std::vector<std::string> senses;
  };

  std::string Encode(std::string_view utf8);
  void CheckFits(size_t line, const Group& group, const std::string& sense) const;

  std::string path_;
  Cp932Encoder& encoder_;
  Imported& imported_;
  std::vector<Group> groups_;
  std::unordered_map<std::string, size_t> slotOf_;  // headword TAB label
  std::pair<size_t, size_t> last_{0, 0};            // the group (plus one) and the sense added last
};

// Throws ImportError naming `path` and `line` when a sense of `senseBytes`
// (code page 932) can't stand on a dictionary line after its headword, the
// field and the label before it (`leadBytes`) and a sense number.
void CheckFitsOneLine(const std::string& path, size_t line, size_t leadBytes, size_t senseBytes);

// `text` with its ends trimmed of spaces and TABs.
std::string_view TrimBlanks(std::string_view text);

// Calls `visit(line, number)` for each line of `text` without its end; LF,
// CR LF and CR each end a line; `number` counts from 1.
template <typename Visit>
void ForEachTextLine(std::string_view text, Visit&& visit) {
  size_t begin = 0, number = 0;
  while (begin < text.size()) {
    size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) end = text.size();
    visit(text.substr(begin, end - begin), ++number);
    begin = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  }
}

}  // namespace import
