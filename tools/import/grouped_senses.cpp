#include "grouped_senses.h"

#include <algorithm>

#include "dictionary_file.h"
#include "import_error.h"
#include "text_util.h"

namespace import {
namespace {

constexpr char kPieceSeparator[] = " ";
// The widest sense number, "(100)" and on, reckoned for every sense: whether
// a sense gets one is known only at the end.
constexpr size_t kWidestSenseNumber = 5;

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  const size_t b = text.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  return text.substr(b, text.find_last_not_of(" \t") - b + 1);
}

std::string GroupedSenses::Encode(std::string_view utf8) {
  return encoder_.Encode(utf8).value();  // decoded text: valid UTF-8
}

void CheckFitsOneLine(const std::string& path, size_t line, size_t leadBytes, size_t senseBytes) {
  const size_t length = leadBytes + 1 + kWidestSenseNumber + senseBytes;
  if (length <= kLongestLineText) return;
  throw ImportError(path + ": line " + std::to_string(line) + ": too long for one dictionary line (" +
                        std::to_string(length) + " bytes; a line holds " + std::to_string(kLongestLineText) +
                        ")",
                    Problem::kLineTooLong, path, line);
}

void GroupedSenses::CheckFits(size_t line, const Group& group, const std::string& sense) const {
  size_t lead = group.headword.size();
  if (!group.pronunciation.empty()) lead += group.pronunciation.size() + 3;
  if (!group.label.empty()) lead += group.label.size() + 1;
  CheckFitsOneLine(path_, line, lead, sense.size());
}

bool GroupedSenses::Add(size_t line, std::string_view headword, std::string_view label,
                        std::string_view sense, std::string_view pronunciation) {
  std::string word = Encode(TrimBlanks(headword));
  if (TrimBlanks(word).empty()) return false;
  std::string tag = Encode(label);
  auto [slot, added] = slotOf_.emplace(word + '\t' + tag, groups_.size());
  if (added) {
    groups_.push_back({std::move(word), std::move(tag), {}, {}});
  } else {
    imported_.report.changed.Add(kMergedEntries);
  }
  Group& group = groups_[slot->second];
  if (group.pronunciation.empty() && !pronunciation.empty()) {
    std::string p = Encode(TrimBlanks(pronunciation));
    // The program finds the field by its only ']'; one inside, even as the
    // second byte of a double-byte character, would hide it.
    if (p.find(']') == std::string::npos) {
      group.pronunciation = std::move(p);
    } else {
      imported_.report.changed.Add("pronunciations left out: code page 932 gives them a ']' byte");
    }
  }
  std::string text = Encode(sense);
  CheckFits(line, group, text);
  last_ = {slot->second + 1, static_cast<size_t>(std::find(group.senses.begin(), group.senses.end(), text) -
                                                 group.senses.begin())};
  if (last_.second == group.senses.size()) group.senses.push_back(std::move(text));
  return true;
}

bool GroupedSenses::AppendToLast(size_t line, std::string_view text) {
  if (!last_.first) return false;
  Group& group = groups_[last_.first - 1];
  std::string& sense = group.senses[last_.second];
  std::string longer = sense + Encode(text);
  CheckFits(line, group, longer);
  sense = std::move(longer);
  return true;
}

void GroupedSenses::AddLines() {
  for (Group& group : groups_) {
    const size_t n = group.senses.size();
    for (size_t i = 0; i < n; ++i) {
      std::string mark = n > 1 ? Encode(SenseNumber(static_cast<int>(i))) : std::string();
      if (i == 0 && !group.label.empty()) mark = group.label + kPieceSeparator + mark;
      group.senses[i] = mark + group.senses[i];
    }
    AddJoinedLine(imported_, group.headword, group.senses, kPieceSeparator, group.pronunciation);
  }
}

}  // namespace import
