#include "import_report.h"

#include <ostream>

#include "form_lines.h"
#include "tools/text/conversion.h"

namespace import {
namespace {

// The report lists the pronunciations it could not carry over up to here; the
// backup keeps them all.
constexpr size_t kMostListed = 100;

// A text of the dictionary as the terminal shows it.
std::string ForDisplay(text::Conversion& toTerminal, const std::string& cp932) {
  std::string shown;
  size_t failedAt = 0;
  return toTerminal.Convert(cp932, shown, failedAt) ? shown : cp932;
}

std::string Described(const Registration& r) { return r.headword + " [" + r.pronunciation + "]"; }

}  // namespace

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
  if (!r.backup.empty()) out << "  previous dictionary kept as " << r.backup << "\n";
  out << "  characters replaced: " << r.characters.equivalents + r.characters.unmappable << " ("
      << r.characters.equivalents << " by a close equivalent, " << r.characters.unmappable
      << " by '?', not in code page 932)\n";
  out << "  ';' made full-width: " << r.characters.semicolons << "\n";
  if (r.characters.controls) out << "  control characters made spaces: " << r.characters.controls << "\n";
  out << "  dropped:             " << r.dropped.Total() << "\n";
  for (const auto& [label, n] : r.dropped.Items()) out << "    " << n << " " << label << "\n";
  for (const auto& [label, n] : r.changed.Items()) out << "  " << label << ": " << n << "\n";
  if (r.forms.made) {
    out << "  form lines:          " << r.forms.lines << " (of " << r.forms.forms
        << " inflected forms and related words; the lookup of the others shows their base first)\n";
    for (const auto& [label, n] : r.forms.kinds.Items())
      if (n) out << "    " << n << " " << label << "\n";
  } else if (!r.forms.whyNot.empty()) {
    out << "  form lines:          none made: " << r.forms.whyNot << "\n";
  }
  if (r.pronunciationsCarried)
    out << "  registered pronunciations carried over: " << r.pronunciationsCarried << "\n";
  if (!r.notCarried.empty()) {
    out << "  registered pronunciations not carried over: " << r.notCarried.size()
        << (r.backup.empty() ? "" : " (" + r.backup + " keeps them)") << "\n";
    text::Conversion toTerminal(text::kTerminal, text::kCp932);
    for (size_t i = 0; i < r.notCarried.size() && i < kMostListed; ++i)
      out << "    " << ForDisplay(toTerminal, r.notCarried[i]) << "\n";
    if (r.notCarried.size() > kMostListed)
      out << "    and " << r.notCarried.size() - kMostListed << " more\n";
  }
}

void AddJoinedLine(Imported& imported, const std::string& headword, const std::vector<std::string>& pieces,
                   std::string_view separator, std::string_view pronunciation) {
  std::string_view field = pronunciation;
  bool hasField = !pronunciation.empty();
  if (const Registrations* registrations = imported.settings.registrations) {
    auto it = registrations->indexOf.find(headword);
    if (it != registrations->indexOf.end()) {
      field = registrations->items[it->second].pronunciation;  // even an empty one: the user chose it
      hasField = true;
      imported.carried[it->second] = true;
      if (pronunciation.empty() || field != pronunciation) ++imported.report.pronunciationsCarried;
    }
  }
  // What stands before the meaning's TAB: the headword and its field, if any.
  std::string lead = headword;
  if (hasField) lead.append("\t[").append(field).append("]");

  bool shortened = false;
  std::string meaning = JoinWithinLine(lead, pieces, separator, shortened);
  if (meaning.empty()) {
    imported.report.dropped.Add(headword.size() + 1 >= kLongestLineText
                                    ? "headwords too long for one line"
                                    : "entries whose first sense alone is too long for one line");
    return;
  }
  if (shortened) imported.report.changed.Add("lines shortened to fit the reader's line buffer");
  imported.lines.push_back({headword, lead.size() > headword.size()
                                          ? lead.substr(headword.size() + 1) + "\t" + meaning
                                          : std::move(meaning)});
}

void Finish(Imported& imported, const Cp932Encoder& encoder, LineOrder order) {
  if (order == LineOrder::kSorted) SortByHeadword(imported.lines);
  imported.report.characters = encoder.Counts();
  FinishLines(imported, order);
}

void FinishLines(Imported& imported, LineOrder order) {
  if (imported.settings.forms) {
    AddFormLines(imported, *imported.settings.forms, order);
  } else {
    imported.report.forms.whyNot = imported.settings.formsUnavailable;
    imported.report.forms.missing = imported.settings.formsMissing;
  }
  imported.report.notCarried.clear();
  if (const Registrations* registrations = imported.settings.registrations) {
    for (size_t i = 0; i < registrations->items.size(); ++i)
      if (!imported.carried[i])
        imported.report.notCarried.push_back(Described(registrations->items[i]) +
                                             (registrations->items[i].onFormLine
                                                  ? ": no new form line has this headword"
                                                  : ": no new line has this headword"));
    for (const Registration& r : registrations->conflicting)
      imported.report.notCarried.push_back(Described(r) + ": a second pronunciation of the headword");
  }
}

}  // namespace import
