#include "csv_import.h"

#include <optional>

#include "grouped_senses.h"
#include "gzip_file.h"
#include "import_error.h"
#include "text_util.h"

namespace import {
namespace {

constexpr char kWord[] = "word";
constexpr char kTranslation[] = "trans";
constexpr char kExample[] = "exp";
constexpr char kPronunciation[] = "pron";

std::string Lowered(std::string_view text) {
  std::string out(TrimBlanks(text));
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// A field's line breaks written as the dictionary line can show them.
std::string FieldText(std::string_view field) {
  std::string out;
  ForEachTextLine(field, [&](std::string_view line, size_t number) {
    if (number > 1) out += kFieldLineBreak;
    out.append(TrimBlanks(line));
  });
  return std::string(TrimBlanks(out));
}

}  // namespace

std::vector<CsvRecord> ParseCsv(const std::string& path, std::string_view text) {
  std::vector<CsvRecord> records;
  CsvRecord record;
  std::string field;
  size_t line = 1, quoteLine = 0;
  bool quoted = false, fieldStarted = false;
  auto endField = [&] {
    record.fields.push_back(std::move(field));
    field.clear();
    fieldStarted = false;
  };
  auto endRecord = [&] {
    endField();
    if (record.fields.size() > 1 || !TrimBlanks(record.fields[0]).empty())
      records.push_back(std::move(record));
    record = CsvRecord{};
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool lineEnd = c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
    if (!record.line) record.line = line;
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"' && TrimBlanks(field).empty() && !fieldStarted) {
      // Spaces before the opening quote are not part of the field.
      field.clear();
      quoted = fieldStarted = true;
      quoteLine = line;
    } else if (c == ',') {
      endField();
    } else if (c == '\r' || c == '\n') {
      if (lineEnd) endRecord();
    } else {
      field += c;
    }
    if (lineEnd) ++line;
  }
  if (quoted)
    throw ImportError(path + ": line " + std::to_string(quoteLine) + ": a quoted field is not closed",
                      Problem::kMalformed, path, quoteLine);
  if (!record.line) return records;
  endRecord();
  return records;
}

Imported ImportCsv(const std::string& path, SourceEncoding encoding, const ImportSettings& settings) {
  const SourceText text = DecodeSourceText(path, ReadSourceFile(path), encoding);
  const std::vector<CsvRecord> records = ParseCsv(path, text.utf8);
  if (records.empty()) throw ImportError(path + ": holds no text", Problem::kEmpty, path);
  Cp932Encoder encoder;
  Imported result(settings);
  ImportReport& report = result.report;
  report.source = path + " (CSV, " + text.encoding + ")";

  const CsvRecord& header = records[0];
  std::optional<size_t> word, translation, example, pronunciation;
  int64_t otherColumns = 0;
  for (size_t i = 0; i < header.fields.size(); ++i) {
    const std::string name = Lowered(header.fields[i]);
    std::optional<size_t>* column = name == kWord            ? &word
                                    : name == kTranslation   ? &translation
                                    : name == kExample       ? &example
                                    : name == kPronunciation ? &pronunciation
                                                             : nullptr;
    if (column && !*column) {
      *column = i;
    } else {
      ++otherColumns;
    }
  }
  if (!word)
    throw ImportError(path + ": line " + std::to_string(header.line) +
                          ": the header row names no \"word\" column (is this the CSV a dictionary program "
                          "exports, with the column names in its first row?)",
                      Problem::kUnknownFormat, path, header.line);
  if (otherColumns) report.changed.Add("columns other than word, trans, exp and pron left out", otherColumns);

  GroupedSenses senses(path, encoder, result);
  auto fieldOf = [](const CsvRecord& r, const std::optional<size_t>& column) {
    return column && *column < r.fields.size() ? FieldText(r.fields[*column]) : std::string();
  };
  for (size_t i = 1; i < records.size(); ++i) {
    const CsvRecord& record = records[i];
    ++report.entriesRead;
    ShowProgress(settings.progress, report.entriesRead, i, records.size());
    std::string sense = fieldOf(record, translation);
    if (sense.empty()) {
      report.dropped.Add("rows without a translation (trans)");
      continue;
    }
    const std::string exampleText = fieldOf(record, example);
    if (!exampleText.empty()) sense += kExampleMark + exampleText;
    if (!senses.Add(record.line, fieldOf(record, word), {}, sense, fieldOf(record, pronunciation)))
      report.dropped.Add("rows without a word");
  }
  if (senses.empty())
    throw ImportError(path + ": holds no row with a word and a translation", Problem::kNoEntries, path);
  senses.AddLines();
  Finish(result, encoder);
  return result;
}

}  // namespace import
