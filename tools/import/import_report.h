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

namespace import {

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
};

// The import's result, ready to write, with its report.
struct Imported {
  std::vector<DictionaryLine> lines;  // sorted
  ImportReport report;
};

// Adds the line of `headword`, its `pieces` joined by `separator` and as many
// as fit the program's line buffer, to `imported`; counts it dropped when not
// even the first piece fits.
void AddJoinedLine(Imported& imported, const std::string& headword, const std::vector<std::string>& pieces,
                   std::string_view separator);

// The import's last step: the lines in their order, the encoder's counts in the report.
void Finish(Imported& imported, const Cp932Encoder& encoder);

void PrintReport(std::ostream& out, const std::string& outputPath, const ImportReport& report);

}  // namespace import
