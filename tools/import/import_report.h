// What an import did, for the user to check.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cp932_encoder.h"
#include "dictionary_file.h"
#include "progress.h"
#include "registrations.h"

namespace import {

class EnglishForms;

class Tally {
 public:
  // Adds `n` to the count called `label`, keeping labels in first-use order.
  void Add(const std::string& label, int64_t n = 1);
  int64_t Get(const std::string& label) const;
  int64_t Total() const;
  const std::vector<std::pair<std::string, int64_t>>& Items() const { return items_; }

 private:
  std::vector<std::pair<std::string, int64_t>> items_;
};

struct ImportReport {
  std::string source;         // what was read, for the first line
  int64_t entriesRead = 0;    // source entries (dictd entries, EDICT lines)
  Tally dropped;              // entries (or glosses) left out, by reason
  Tally changed;              // other adjustments, by kind
  EncodeCounts characters;
  int64_t linesWritten = 0;
  uint64_t bytesWritten = 0;
  std::string backup;                   // where the replaced dictionary was kept, if any
  int64_t pronunciationsCarried = 0;    // registrations put on the new lines
  std::vector<std::string> notCarried;  // "headword [pronunciation]" (code page 932) and why
  struct {
    bool made = false;
    std::string whyNot;  // when not made
    std::string missing;  // the data file whose absence is why, if it is
    int64_t forms = 0;   // inflected forms of the headwords, and words related to them
    int64_t lines = 0;   // those that needed a line: the lookup did not show a base first
    Tally kinds;         // the lines by what their word is
  } forms;
};

// What an import takes besides its source.
struct ImportSettings {
  const Registrations* registrations = nullptr;  // to carry over to the new lines
  Progress* progress = nullptr;
  const EnglishForms* forms = nullptr;  // to add lines for inflected forms
  std::string formsUnavailable;         // why there are none, for the report
  std::string formsMissing;             // the data file missing, when that is why
};

// The import's result, ready to write, with its report.
struct Imported {
  explicit Imported(const ImportSettings& settings = {})
      : settings(settings), carried(settings.registrations ? settings.registrations->items.size() : 0) {}

  std::vector<DictionaryLine> lines;
  ImportReport report;
  ImportSettings settings;
  std::vector<bool> carried;  // by registration
};

// The count, in ImportReport::changed, of the entries whose headword already
// had a line.
inline constexpr char kMergedEntries[] =
    "entries merged into the line of an earlier one with the same headword";

// Adds the line of `headword`, its `pieces` joined by `separator` and as many
// as fit the program's line buffer, to `imported`; counts it dropped when not
// even the first piece fits. A `pronunciation` (code page 932, no ']' and no
// TAB) goes into the program's field after the headword; a pronunciation the
// user registered for the headword takes its place.
void AddJoinedLine(Imported& imported, const std::string& headword, const std::vector<std::string>& pieces,
                   std::string_view separator, std::string_view pronunciation = {});

enum class LineOrder { kSorted, kAsAdded };

// The import's last step: the lines in their order, the encoder's counts,
// then FinishLines.
void Finish(Imported& imported, const Cp932Encoder& encoder, LineOrder order = LineOrder::kSorted);

// What follows once the lines are complete and in `order`: the lines of the
// inflected forms, and the registrations that found no line in the report.
void FinishLines(Imported& imported, LineOrder order);

void PrintReport(std::ostream& out, const std::string& outputPath, const ImportReport& report);

}  // namespace import
