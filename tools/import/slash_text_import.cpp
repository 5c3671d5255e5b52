#include "slash_text_import.h"

#include "grouped_senses.h"
#include "gzip_file.h"
#include "import_error.h"
#include "text_util.h"

namespace import {
namespace {

constexpr std::string_view kHeadwordEnd = "///";
constexpr std::string_view kExampleStart = " / ";
constexpr std::string_view kLineBreak = " \\ ";

// A field with its " \ " line breaks written as the dictionary line can show them.
std::string FieldText(std::string_view field) {
  std::string out;
  for (size_t at; (at = field.find(kLineBreak)) != std::string_view::npos;
       field.remove_prefix(at + kLineBreak.size()))
    out.append(TrimBlanks(field.substr(0, at))).append(kFieldLineBreak);
  out.append(TrimBlanks(field));
  return out;
}

}  // namespace

Imported ImportSlashText(const std::string& path, SourceEncoding encoding, const ImportSettings& settings) {
  const SourceText text = DecodeSourceText(path, ReadSourceFile(path), encoding);
  Cp932Encoder encoder;
  Imported result(settings);
  ImportReport& report = result.report;
  report.source = path + " (\"headword /// translation\" text, " + text.encoding + ")";
  GroupedSenses senses(path, encoder, result);

  ForEachTextLine(text.utf8, [&](std::string_view line, size_t number) {
    if (TrimBlanks(line).empty()) return;
    ++report.entriesRead;
    ShowProgress(settings.progress, report.entriesRead, line.data() - text.utf8.data(), text.utf8.size());
    const size_t mark = line.find(kHeadwordEnd);
    if (mark == std::string_view::npos) {
      report.dropped.Add("lines without \"///\" between headword and translation");
      return;
    }
    const std::string_view rest = line.substr(mark + kHeadwordEnd.size());
    const size_t example = rest.find(kExampleStart);
    std::string sense = FieldText(rest.substr(0, example));
    if (sense.empty()) {
      report.dropped.Add("lines without a translation after \"///\"");
      return;
    }
    if (example != std::string_view::npos) {
      const std::string exampleText = FieldText(rest.substr(example + kExampleStart.size()));
      if (!exampleText.empty()) sense += kExampleMark + exampleText;
    }
    if (!senses.Add(number, FieldText(line.substr(0, mark)), {}, sense))
      report.dropped.Add("lines without a headword before \"///\"");
  });
  if (senses.empty())
    throw ImportError(path + ": holds no \"headword /// translation\" line", Problem::kNoEntries, path);
  senses.AddLines();
  Finish(result, encoder);
  return result;
}

}  // namespace import
