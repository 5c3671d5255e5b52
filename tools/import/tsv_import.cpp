#include "tsv_import.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "grouped_senses.h"
#include "gzip_file.h"
#include "import_error.h"
#include "text_util.h"

namespace import {
namespace {

constexpr char kColumnSeparator[] = " / ";
constexpr char kPieceSeparator[] = " ";

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
  const std::string bytes = ReadSourceFile(path);
  const SourceText text = DecodeSourceText(path, bytes, encoding);
  Cp932Encoder encoder;
  Imported result(settings);
  ImportReport& report = result.report;
  report.source = path + " (" + text.encoding + ")";

  std::unordered_map<std::string, size_t> slotOf;                           // code page 932 headword
  std::vector<std::pair<std::string, std::vector<std::string>>> headwords;  // and one piece per line
  auto encode = [&](std::string_view utf8) { return encoder.Encode(utf8).value(); };  // decoded: valid

  ForEachTextLine(text.utf8, [&](std::string_view line, size_t number) {
    if (TrimBlanks(line).empty()) return;
    ++report.entriesRead;
    ShowProgress(settings.progress, report.entriesRead, line.data() - text.utf8.data(), text.utf8.size());
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
    CheckFitsOneLine(path, number, headwords[slot->second].first.size(), sense.size());
    if (std::find(senses.begin(), senses.end(), sense) == senses.end()) senses.push_back(std::move(sense));
  });
  if (headwords.empty())
    throw ImportError(path + ": holds no \"word TAB meaning\" line; is it tab-separated text?", Problem::kNoEntries,
                      path);

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
