#include "dictionary_import.h"

#include "dictionary/dictionary_line.h"
#include "form_lines.h"
#include "grouped_senses.h"  // ForEachTextLine
#include "gzip_file.h"
#include "import_error.h"
#include "text_util.h"

namespace import {
namespace {

// `utf8` in code page 932 with its ';' and TABs kept: in a dictionary line
// they mean what the user meant by them.
std::string Encoded(Cp932Encoder& encoder, std::string_view utf8) {
  std::string out;
  for (;;) {
    const size_t at = utf8.find_first_of(";\t");
    out += encoder.Encode(utf8.substr(0, at)).value();  // decoded text: valid UTF-8
    if (at == std::string_view::npos) return out;
    out += utf8[at];
    utf8.remove_prefix(at + 1);
  }
}

}  // namespace

Imported ImportDictionaryFile(const std::string& path, SourceEncoding encoding,
                              const ImportSettings& settings) {
  const SourceText text = DecodeSourceText(path, ReadSourceFile(path), encoding);
  Cp932Encoder encoder;
  Imported result(settings);
  ImportReport& report = result.report;
  report.source = path + " (a dictionary file, " + text.encoding + ")";

  ForEachTextLine(text.utf8, [&](std::string_view line, size_t number) {
    if (dictionary::IsBlank(line)) return;
    ++report.entriesRead;
    ShowProgress(settings.progress, report.entriesRead, line.data() - text.utf8.data(), text.utf8.size());
    const std::string bytes = Encoded(encoder, line);
    if (bytes.size() > kLongestLineText)
      throw ImportError(path + ": line " + std::to_string(number) + ": too long for one dictionary line (" +
                            std::to_string(bytes.size()) + " bytes; a line holds " +
                            std::to_string(kLongestLineText) + ")",
                        Problem::kLineTooLong, path, number);
    const size_t tab = dictionary::HeadwordEnd(bytes);
    if (tab == std::string::npos) {
      report.dropped.Add("lines without a TAB after the headword");
      return;
    }
    std::string_view rest = std::string_view(bytes).substr(tab + 1);
    const size_t field = dictionary::PronunciationField(rest);
    const std::string pronunciation(field ? rest.substr(1, field - 3) : std::string_view());
    rest.remove_prefix(field);
    if (rest.empty()) {
      report.dropped.Add("lines without a meaning after the TAB");
      return;
    }
    // Made anew over this dictionary's headwords, or kept where they can't be.
    if (settings.forms && IsFormLineMeaning(rest)) {
      report.changed.Add("lines of inflected forms left to be made anew");
      return;
    }
    AddJoinedLine(result, bytes.substr(0, tab), {std::string(rest)}, {}, pronunciation);
  });
  if (result.lines.empty())
    throw ImportError(path + ": holds no \"headword TAB meaning\" line", Problem::kNoEntries, path);
  Finish(result, encoder, LineOrder::kAsAdded);
  return result;
}

}  // namespace import
