#include "source_recognition.h"

#include <algorithm>
#include <optional>

#include "csv_import.h"
#include "dictionary_import.h"
#include "edict_import.h"
#include "freedict_import.h"
#include "grouped_senses.h"
#include "gzip_file.h"
#include "import_error.h"
#include "slash_text_import.h"
#include "square_text_import.h"
#include "stardict_import.h"
#include "text_util.h"
#include "tsv_import.h"

namespace import {
namespace {

constexpr std::string_view kStardictSuffixes[] = {".ifo", ".idx", ".idx.gz", ".dict.dz", ".dict", ".syn"};
constexpr std::string_view kDictdIndex = ".index";
constexpr std::string_view kDictdData = ".dict.dz";
constexpr std::string_view kDictionaryName = "radoro";
constexpr std::string_view kEdictNames[] = {"edict", "edict2", "edict.gz", "edict2.gz"};
// EDICT's first line, "　？？？ /", in EUC-JP.
constexpr std::string_view kEdictHeader = "\xA1\xA1\xA1\xA9\xA1\xA9\xA1\xA9 /";
constexpr std::string_view kSquareMark = "\xE2\x96\xA0";  // ■
constexpr std::string_view kSlashMark = "///";
constexpr char kCsvWordColumn[] = "word";
// A title or a note may stand before the entries; this many lines are looked at.
constexpr int kLinesLooked = 20;

std::string Lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return Lowered(slash == std::string::npos ? path : path.substr(slash + 1));
}

// `path` without the last `n` bytes of its name.
std::string Cut(const std::string& path, size_t n) { return path.substr(0, path.size() - n); }

bool IsCsvHeader(std::string_view line) {
  // A quote left open on the first line is no header's.
  if (std::count(line.begin(), line.end(), '"') % 2) return false;
  for (const CsvRecord& record : ParseCsv({}, line))
    for (const std::string& field : record.fields)
      if (Lowered(TrimBlanks(field)) == kCsvWordColumn) return true;
  return false;
}

}  // namespace

RecognisedSource RecogniseSource(const std::string& path) {
  const std::string name = NameOf(path);
  for (std::string_view suffix : kStardictSuffixes) {
    if (EndsWith(name, suffix) && FileExists(Cut(path, suffix.size()) + ".ifo"))
      return {SourceFormat::kStardict, Cut(path, suffix.size()) + ".ifo", {}};
  }
  if (EndsWith(name, kDictdIndex)) {
    const std::string data = Cut(path, kDictdIndex.size()) + std::string(kDictdData);
    if (!FileExists(data))
      throw ImportError(data + ": missing; a dictd dictionary's .dict.dz belongs beside its " + path,
                        Problem::kCannotRead, data);
    return {SourceFormat::kDictd, path, data};
  }
  if (EndsWith(name, kDictdData) && FileExists(Cut(path, kDictdData.size()) + std::string(kDictdIndex)))
    return {SourceFormat::kDictd, Cut(path, kDictdData.size()) + std::string(kDictdIndex), path};
  if (StartsWith(name, kDictionaryName)) return {SourceFormat::kDictionaryFile, path, {}};

  const std::string bytes = ReadSourceFile(path);
  if (bytes.empty()) throw ImportError(path + ": is empty", Problem::kEmpty, path);
  for (std::string_view edict : kEdictNames)
    if (name == edict) return {SourceFormat::kEdict, path, {}};
  if (StartsWith(bytes, kEdictHeader)) return {SourceFormat::kEdict, path, {}};
  if (EndsWith(name, ".csv") || EndsWith(name, ".csv.gz")) return {SourceFormat::kCsv, path, {}};
  if (EndsWith(name, ".tsv") || EndsWith(name, ".tsv.gz")) return {SourceFormat::kTsv, path, {}};

  const SourceText text = DecodeSourceText(path, bytes, SourceEncoding::kAuto);
  size_t firstLine = 0;
  int looked = 0;
  std::optional<SourceFormat> format;
  ForEachTextLine(text.utf8, [&](std::string_view line, size_t number) {
    if (format || looked == kLinesLooked || TrimBlanks(line).empty()) return;
    ++looked;
    if (!firstLine) firstLine = number;
    if (number == firstLine && IsCsvHeader(line)) {
      format = SourceFormat::kCsv;
    } else if (StartsWith(TrimBlanks(line), kSquareMark)) {
      format = SourceFormat::kSquareText;
    } else if (line.find(kSlashMark) != std::string_view::npos) {
      format = SourceFormat::kSlashText;
    } else if (line.find('\t') != std::string_view::npos) {
      format = SourceFormat::kTsv;
    }
  });
  if (!firstLine) throw ImportError(path + ": holds no text", Problem::kEmpty, path);
  if (!format)
    throw ImportError(path + ": line " + std::to_string(firstLine) +
                          ": in none of the formats the importer reads (\"word TAB meaning\", "
                          "\"headword /// translation\", \"\xE2\x96\xA0headword : meaning\", CSV with a "
                          "\"word\" column, StarDict, dictd, EDICT, a dictionary file of Lexmoor's own)",
                      Problem::kUnknownFormat, path, firstLine);
  return {*format, path, {}};
}

Imported ImportRecognised(const RecognisedSource& source, const ImportSettings& settings) {
  constexpr SourceEncoding kAuto = SourceEncoding::kAuto;
  switch (source.format) {
    case SourceFormat::kStardict:
      return ImportStardict(source.path, settings);
    case SourceFormat::kDictd:
      return ImportFreedict(source.path, source.data, settings);
    case SourceFormat::kEdict:
      return ImportEdict(source.path, settings);
    case SourceFormat::kDictionaryFile:
      return ImportDictionaryFile(source.path, kAuto, settings);
    case SourceFormat::kCsv:
      return ImportCsv(source.path, kAuto, settings);
    case SourceFormat::kTsv:
      return ImportTsv(source.path, kAuto, settings);
    case SourceFormat::kSlashText:
      return ImportSlashText(source.path, kAuto, settings);
    case SourceFormat::kSquareText:
      return ImportSquareText(source.path, kAuto, settings);
  }
  throw ImportError(source.path + ": no import for its format");
}

}  // namespace import
