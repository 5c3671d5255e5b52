#include "square_text_import.h"

#include "grouped_senses.h"
#include "gzip_file.h"
#include "import_error.h"
#include "text_util.h"

namespace import {
namespace {

constexpr std::string_view kEntryMark = "\xE2\x96\xA0";                    // ■
constexpr std::string_view kExampleLineMark = "\xE2\x96\xA0\xE3\x83\xBB";  // ■・
constexpr std::string_view kMeaningStart = " : ";

bool IsKana(char32_t cp) { return (cp >= 0x3041 && cp <= 0x309F) || (cp >= 0x30A0 && cp <= 0x30FF); }

// The code point at `at` of valid UTF-8 and its length.
char32_t CodePointAt(std::string_view s, size_t at, size_t& length) {
  const auto b = static_cast<unsigned char>(s[at]);
  length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
  char32_t cp = length == 1 ? b : b & (0x3F >> (length - 1));
  for (size_t i = 1; i < length && at + i < s.size(); ++i)
    cp = cp << 6 | (static_cast<unsigned char>(s[at + i]) & 0x3F);
  return cp;
}

bool AllKana(std::string_view s) {
  if (s.empty()) return false;
  for (size_t at = 0, n = 0; at < s.size(); at += n)
    if (!IsKana(CodePointAt(s, at, n))) return false;
  return true;
}

// "run  {動-1}" is the headword "run" and the part of speech "{動}": the
// number that tells senses apart in the source is the line's to give.
void SplitHead(std::string_view head, std::string_view& headword, std::string& label) {
  headword = TrimBlanks(head);
  label.clear();
  const size_t open = headword.rfind('{');
  if (open == std::string_view::npos || headword.back() != '}') return;
  std::string_view pos = headword.substr(open + 1, headword.size() - open - 2);
  const size_t dash = pos.rfind('-');
  if (dash != std::string_view::npos && dash + 1 < pos.size() &&
      pos.find_first_not_of("0123456789", dash + 1) == std::string_view::npos)
    pos = pos.substr(0, dash);
  headword = TrimBlanks(headword.substr(0, open));
  if (!TrimBlanks(pos).empty()) label = "{" + std::string(TrimBlanks(pos)) + "}";
}

}  // namespace

std::string WithoutReadings(std::string_view meaning, int64_t& removed) {
  std::string out;
  for (size_t open; (open = meaning.find('{')) != std::string_view::npos;) {
    const size_t close = meaning.find('}', open);
    if (close == std::string_view::npos) break;
    const bool reading = AllKana(meaning.substr(open + 1, close - open - 1));
    out.append(meaning.substr(0, reading ? open : close + 1));
    removed += reading;
    meaning.remove_prefix(close + 1);
  }
  out.append(meaning);
  return out;
}

Imported ImportSquareText(const std::string& path, SourceEncoding encoding, const ImportSettings& settings) {
  const SourceText text = DecodeSourceText(path, ReadSourceFile(path), encoding);
  Cp932Encoder encoder;
  Imported result(settings);
  ImportReport& report = result.report;
  report.source = path + " (\"\xE2\x96\xA0headword : meaning\" text, " + text.encoding + ")";
  GroupedSenses senses(path, encoder, result);
  int64_t readings = 0;

  ForEachTextLine(text.utf8, [&](std::string_view line, size_t number) {
    line = TrimBlanks(line);
    if (line.empty()) return;
    ShowProgress(settings.progress, report.entriesRead, line.data() - text.utf8.data(), text.utf8.size());
    if (StartsWith(line, kExampleLineMark)) {
      const std::string example = WithoutReadings(TrimBlanks(line.substr(kExampleLineMark.size())), readings);
      if (!example.empty() && !senses.AppendToLast(number, kExampleMark + example))
        report.dropped.Add("examples without an entry above them");
      return;
    }
    ++report.entriesRead;
    if (!StartsWith(line, kEntryMark)) {
      report.dropped.Add("lines that do not begin with \xE2\x96\xA0");
      return;
    }
    line.remove_prefix(kEntryMark.size());
    const size_t colon = line.find(kMeaningStart);
    if (colon == std::string_view::npos) {
      report.dropped.Add("lines without \" : \" between headword and meaning");
      return;
    }
    std::string_view headword;
    std::string label;
    SplitHead(line.substr(0, colon), headword, label);
    const std::string meaning =
        WithoutReadings(TrimBlanks(line.substr(colon + kMeaningStart.size())), readings);
    if (TrimBlanks(meaning).empty()) {
      report.dropped.Add("entries without a meaning after \" : \"");
      return;
    }
    if (!senses.Add(number, headword, label, TrimBlanks(meaning)))
      report.dropped.Add("entries without a headword");
  });
  if (senses.empty())
    throw ImportError(path + ": holds no \"\xE2\x96\xA0headword : meaning\" line", Problem::kNoEntries, path);
  if (readings) report.changed.Add("readings in braces left out", readings);
  senses.AddLines();
  Finish(result, encoder);
  return result;
}

}  // namespace import
