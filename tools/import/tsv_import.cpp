#include "tsv_import.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "gzip_file.h"
#include "import_error.h"
#include "text_util.h"

namespace import {
namespace {

constexpr char kColumnSeparator[] = " / ";
constexpr char kPieceSeparator[] = " ";

// Calls `visit(line, offset)` for each line of `text`, without its end; LF,
// CR LF and CR each end a line.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) end = text.size();
    visit(text.substr(begin, end - begin), begin);
    begin = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  }
}

std::string_view TrimBlanks(std::string_view s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

}  // namespace

std::string Unquoted(std::string_view field) {
  if (field.size() < 2 || field.front() != '"' || field.back() != '"') return std::string(field);
  std::string out;
  const std::string_view inner = field.substr(1, field.size() - 2);
  for (size_t i = 0; i < inner.size(); ++i) {
    if (inner[i] == '"') {
      if (i + 1 == inner.size() || inner[i + 1] != '"') return std::string(field);  // not a quoted field
      ++i;
    }
    out += inner[i];
  }
  return out;
}

Imported ImportTsv(const std::string& path, SourceEncoding encoding, const ImportSettings& settings) {
  const std::string bytes = ReadWholeFile(path);
  const SourceText text = DecodeSourceText(path, bytes, encoding);
  Cp932Encoder encoder;
  Imported result(settings);
  ImportReport& report = result.report;
  report.source = path + " (" + text.encoding + ")";

  std::unordered_map<std::string, size_t> slotOf;                           // code page 932 headword
  std::vector<std::pair<std::string, std::vector<std::string>>> headwords;  // and one piece per line
  auto encode = [&](std::string_view utf8) { return encoder.Encode(utf8).value(); };  // decoded: valid

  ForEachLine(text.utf8, [&](std::string_view line, size_t offset) {
    if (TrimBlanks(line).empty()) return;
    ++report.entriesRead;
    ShowProgress(settings.progress, report.entriesRead, offset, text.utf8.size());
    std::vector<std::string_view> fields = Split(line, '\t');
    if (fields.size() < 2) {
      report.dropped.Add("lines without a TAB between word and meaning");
      return;
    }
    const std::string word = Unquoted(Trim(fields[0]));
    std::string meaning;
    for (size_t i = 1; i < fields.size(); ++i) {
      const std::string unquoted = Unquoted(Trim(fields[i]));
      const std::string_view column = Trim(unquoted);
      if (column.empty()) continue;
      if (!meaning.empty()) meaning += kColumnSeparator;
      meaning += column;
    }
    std::string headword = encode(Trim(word));
    if (Trim(headword).empty()) {
      report.dropped.Add("lines without a word before the TAB");
      return;
    }
    if (meaning.empty()) {
      report.dropped.Add("lines without a meaning after the TAB");
      return;
    }
    auto [slot, added] = slotOf.emplace(headword, headwords.size());
    if (added) {
      headwords.emplace_back(std::move(headword), std::vector<std::string>{});
    } else {
      report.changed.Add(kMergedEntries);
    }
    std::vector<std::string>& senses = headwords[slot->second].second;
    std::string sense = encode(meaning);
    if (std::find(senses.begin(), senses.end(), sense) == senses.end()) senses.push_back(std::move(sense));
  });
  if (headwords.empty())
    throw ImportError(path + ": holds no \"word TAB meaning\" line; is it tab-separated text?");

  for (auto& [headword, senses] : headwords) {
    if (senses.size() > 1)
      for (size_t i = 0; i < senses.size(); ++i)
        senses[i] = encode(SenseNumber(static_cast<int>(i))) + senses[i];
    AddJoinedLine(result, headword, senses, kPieceSeparator);
  }
  Finish(result, encoder);
  return result;
}

}  // namespace import
