#include "gap_fill.h"

#include <unordered_set>

#include "cp932_encoder.h"
#include "dictionary/dictionary_line.h"

namespace import {
namespace {

constexpr std::string_view kWordSeparator = "\x81\x41";  // 、

// Cuts `meaning` to `room` bytes: at its last "、" that leaves something, or
// at a character. Says whether it cut.
bool FitMeaning(std::string& meaning, size_t room) {
  if (meaning.size() <= room) return false;
  size_t fits = 0, lastSeparator = 0;
  for (size_t i = 0; i < meaning.size();) {
    const size_t next = i + (IsCp932LeadByte(static_cast<unsigned char>(meaning[i])) ? 2 : 1);
    if (next > room) break;
    if (std::string_view(meaning).substr(i, kWordSeparator.size()) == kWordSeparator && i > 0)
      lastSeparator = i;
    fits = i = next;
  }
  meaning.resize(lastSeparator ? lastSeparator : fits);
  return true;
}

void AddTallies(Tally& into, const Tally& from, const std::string& suffix) {
  for (const auto& [label, n] : from.Items()) into.Add(label + suffix, n);
}

}  // namespace

Imported FillGaps(Imported base, Imported filler, std::string_view fillerName, std::string_view mark,
                  const ImportSettings& settings) {
  Imported result(settings);
  ImportReport& report = result.report;
  const std::string fromFiller = " (" + std::string(fillerName) + ")";
  report.source = base.report.source + ", its gaps filled from " + filler.report.source;
  report.entriesRead = base.report.entriesRead + filler.report.entriesRead;
  report.dropped = base.report.dropped;
  AddTallies(report.dropped, filler.report.dropped, fromFiller);
  report.changed = base.report.changed;
  AddTallies(report.changed, filler.report.changed, fromFiller);
  const EncodeCounts &a = base.report.characters, &b = filler.report.characters;
  report.characters = {a.equivalents + b.equivalents, a.unmappable + b.unmappable,
                       a.semicolons + b.semicolons, a.controls + b.controls};
  report.pronunciationsCarried = base.report.pronunciationsCarried;
  result.carried = base.carried;

  std::unordered_set<std::string> headwords;
  for (const DictionaryLine& line : base.lines) headwords.insert(line.headword);
  result.lines = std::move(base.lines);
  int64_t taken = 0;
  for (DictionaryLine& line : filler.lines) {
    if (headwords.count(line.headword)) continue;
    ++taken;
    const size_t field = dictionary::PronunciationField(line.meaning);
    std::string text = line.meaning.substr(field);
    const size_t used = line.headword.size() + 1 + field + mark.size();
    if (FitMeaning(text, used < kLongestLineText ? kLongestLineText - used : 0))
      report.changed.Add("lines shortened to fit the reader's line buffer" + fromFiller);
    line.meaning = line.meaning.substr(0, field) + std::string(mark) + text;
    if (const Registrations* registrations = settings.registrations) {
      // The filler's import put the registration on this line.
      if (auto it = registrations->indexOf.find(line.headword); it != registrations->indexOf.end() && field) {
        result.carried[it->second] = true;
        ++report.pronunciationsCarried;
      }
    }
    result.lines.push_back(std::move(line));
  }
  report.changed.Add("lines taken from " + std::string(fillerName) + " for the headwords the other lacks",
                     taken);
  SortByHeadword(result.lines);
  FinishLines(result, LineOrder::kSorted);
  return result;
}

}  // namespace import
