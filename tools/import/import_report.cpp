#include "import_report.h"

#include <ostream>

namespace import {

void Tally::Add(const std::string& label, int64_t n) {
  for (auto& item : items_) {
    if (item.first == label) {
      item.second += n;
      return;
    }
  }
  items_.emplace_back(label, n);
}

int64_t Tally::Get(const std::string& label) const {
  for (const auto& item : items_)
    if (item.first == label) return item.second;
  return 0;
}

int64_t Tally::Total() const {
  int64_t total = 0;
  for (const auto& item : items_) total += item.second;
  return total;
}

void PrintReport(std::ostream& out, const std::string& outputPath, const ImportReport& r) {
  out << "read " << r.source << "\n";
  out << "  entries read:        " << r.entriesRead << "\n";
  out << "  lines written:       " << r.linesWritten << " (" << r.bytesWritten << " bytes) to " << outputPath
      << "\n";
  out << "  characters replaced: " << r.characters.equivalents + r.characters.unmappable << " ("
      << r.characters.equivalents << " by a close equivalent, " << r.characters.unmappable
      << " by '?', not in code page 932)\n";
  out << "  ';' made full-width: " << r.characters.semicolons << "\n";
  if (r.characters.controls) out << "  control characters made spaces: " << r.characters.controls << "\n";
  out << "  dropped:             " << r.dropped.Total() << "\n";
  for (const auto& [label, n] : r.dropped.Items()) out << "    " << n << " " << label << "\n";
  for (const auto& [label, n] : r.changed.Items()) out << "  " << label << ": " << n << "\n";
}

void AddJoinedLine(Imported& imported, const std::string& headword, const std::vector<std::string>& pieces,
                   std::string_view separator) {
  bool shortened = false;
  std::string meaning = JoinWithinLine(headword, pieces, separator, shortened);
  if (meaning.empty()) {
    imported.report.dropped.Add("headwords too long for one line");
    return;
  }
  if (shortened) imported.report.changed.Add("lines shortened to fit the reader's line buffer");
  imported.lines.push_back({headword, std::move(meaning)});
}

void Finish(Imported& imported, const Cp932Encoder& encoder) {
  SortByHeadword(imported.lines);
  imported.report.characters = encoder.Counts();
}

}  // namespace import
