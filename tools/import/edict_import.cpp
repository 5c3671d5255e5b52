#include "edict_import.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "gzip_file.h"
#include "import_error.h"
#include "text_util.h"
#include "tools/text/conversion.h"

namespace import {
namespace {

// The first line describes the file: "　？？？ /EDICT, .../".
constexpr std::string_view kHeaderMark = "\xE3\x80\x80\xEF\xBC\x9F\xEF\xBC\x9F\xEF\xBC\x9F";
constexpr std::string_view kCommonMark = "(P)";
constexpr std::string_view kEntryIdPrefix = "EntL";  // EDICT2 sequence numbers
constexpr std::string_view kVerbGlossPrefix = "to ";
constexpr char kWordSeparator[] = "\xE3\x80\x81";  // 、

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Verb codes: v1, v5r, vs-i, vi, vt, vk, vz, ... (not "vulg").
bool IsVerbCode(std::string_view code) {
  if (code.size() < 2 || code[0] != 'v') return false;
  if (IsDigit(code[1])) return true;
  constexpr std::string_view kVerbLetters = "iknrstz";
  return kVerbLetters.find(code[1]) != std::string_view::npos && (code.size() == 2 || code[2] == '-');
}

bool IsPosCode(std::string_view code) {
  constexpr std::string_view kCodes[] = {"n", "adv", "exp", "int", "pn", "pref", "suf", "prt",
                                         "conj", "aux", "ctr", "num", "cop", "unc", "adj"};
  constexpr std::string_view kFamilies[] = {"n-", "adj-", "adv-", "aux-", "cop-"};
  for (std::string_view c : kCodes)
    if (code == c) return true;
  for (std::string_view f : kFamilies)
    if (StartsWith(code, f)) return true;
  return IsVerbCode(code);
}

// "(n,vs)" sets the part of speech for the glosses that follow; "(1)",
// "(math)", "(uk)" and the like are dropped.
std::string_view StripLeadingTags(std::string_view gloss, std::vector<std::string_view>& pos) {
  while (!gloss.empty() && gloss[0] == '(') {
    size_t close = gloss.find(')');
    if (close == std::string_view::npos) break;
    std::vector<std::string_view> codes = Split(gloss.substr(1, close - 1), ',');
    if (std::all_of(codes.begin(), codes.end(), IsPosCode)) pos = codes;
    gloss = Trim(gloss.substr(close + 1));
  }
  return gloss;
}

// Splits "advance (of a plan) (in time)" into the words and the notes.
std::pair<std::string_view, std::string_view> SplitTrailingNotes(std::string_view gloss) {
  size_t end = gloss.size();
  while (end > 0 && gloss[end - 1] == ')') {
    int depth = 0;
    size_t i = end;
    while (i > 0) {
      --i;
      if (gloss[i] == ')') ++depth;
      if (gloss[i] == '(' && --depth == 0) break;
    }
    if (depth != 0 || i == 0 || gloss[i - 1] != ' ') break;
    end = i - 1;
  }
  return {Trim(gloss.substr(0, end)), Trim(gloss.substr(end))};
}

// Length of the parenthesised notes that `gloss` begins with, "(seem) " of
// "(seem) eager to", up to where its words start; 0 when it begins with a word.
size_t LeadingNotesLength(std::string_view gloss) {
  size_t end = 0;
  while (end < gloss.size() && gloss[end] == '(') {
    int depth = 0;
    size_t i = end;
    for (; i < gloss.size(); ++i) {
      if (gloss[i] == '(') ++depth;
      if (gloss[i] == ')' && --depth == 0) break;
    }
    if (i == gloss.size()) break;
    end = i + 1;
    while (end < gloss.size() && gloss[end] == ' ') ++end;
  }
  return end;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The words without the quote marks around those they begin with:
// "\"not guilty\" verdict" is "not guilty verdict", "'ra'-removed" is
// "ra-removed"; an apostrophe with no partner after a word ("'tis") stays.
std::string WithoutLeadingQuotes(std::string_view words) {
  if (words.size() < 3 || (words[0] != '"' && words[0] != '\'')) return std::string(words);
  size_t close = 1;
  for (;; ++close) {
    close = words.find(words[0], close);
    if (close == std::string_view::npos) return std::string(words);
    // A closing apostrophe ends a word; another is inside one ("can't").
    if (words[0] == '"' || (IsAsciiLetter(words[close - 1]) &&
                            (close + 1 == words.size() || !IsAsciiLetter(words[close + 1]))))
      break;
  }
  if (close == 1) return std::string(words);
  std::string unquoted(words.substr(1, close - 1));
  unquoted.append(words.substr(close + 1));
  return unquoted;
}

// The words with their first one standing alone, so that a word copied with
// the comma or full stop after it finds its own line and not a phrase's:
// "time, place, occasion" is "time place occasion", "well..." is "well ...".
std::string WithFirstWordAlone(std::string words) {
  size_t end = 0;
  while (end < words.size() && (IsAsciiLetter(words[end]) || words[end] == '\'')) ++end;
  if (end == 0 || end == words.size()) return words;
  if (words.compare(end, 3, "...") == 0) return words.insert(end, " ");
  if (words[end] != ',' || end + 1 == words.size()) return words;
  std::string alone;
  for (size_t i = 0; i < words.size(); ++i)
    if (words[i] != ',' || i + 1 == words.size() || words[i + 1] != ' ') alone.push_back(words[i]);
  return alone;
}

// The Japanese words of one headword, common words first, each once.
struct Translations {
  std::vector<std::string> common, other;

  void Add(std::string item, bool isCommon) {
    std::vector<std::string>& list = isCommon ? common : other;
    if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(std::move(item));
  }
  std::vector<std::string> InOrder() const {
    std::vector<std::string> all = common;
    for (const std::string& item : other)
      if (std::find(common.begin(), common.end(), item) == common.end()) all.push_back(item);
    return all;
  }
};

}  // namespace

std::optional<EdictEntry> ParseEdictLine(std::string_view line) {
  size_t start = line.find(" /");
  if (start == std::string_view::npos || !EndsWith(line, "/")) return std::nullopt;
  EdictEntry entry;
  std::string_view word = Trim(line.substr(0, start));
  if (EndsWith(word, "]")) {
    size_t open = word.find(" [");
    if (open == std::string_view::npos) return std::nullopt;
    entry.reading = std::string(Trim(word.substr(open + 2, word.size() - open - 3)));
    word = Trim(word.substr(0, open));
  }
  if (word.empty() || word.find(' ') != std::string_view::npos) return std::nullopt;
  entry.japanese = std::string(word);

  std::string_view glosses = line.substr(start + 2, line.size() - start - 3);
  std::vector<std::string_view> pos;
  for (std::string_view gloss : Split(glosses, '/')) {
    gloss = Trim(gloss);
    if (gloss == kCommonMark) {
      entry.common = true;
      continue;
    }
    if (gloss.empty() || StartsWith(gloss, kEntryIdPrefix)) continue;
    gloss = StripLeadingTags(gloss, pos);
    if (StartsWith(gloss, kVerbGlossPrefix) && std::any_of(pos.begin(), pos.end(), IsVerbCode))
      gloss = Trim(gloss.substr(kVerbGlossPrefix.size()));
    // A note before the words (left when a verb's "to " went) goes after
    // them, and quote marks around the first words go, so that the headword
    // begins with a word: "(seem) eager to", "\"not guilty\" verdict"; and
    // that word stands alone.
    const size_t leading = LeadingNotesLength(gloss);
    const std::string_view leadingNotes = Trim(gloss.substr(0, leading));
    auto [words, notes] = SplitTrailingNotes(gloss.substr(leading));
    if (words.empty()) {
      ++entry.glossesWithoutText;
      continue;
    }
    std::string note(leadingNotes);
    if (!note.empty() && !notes.empty()) note += ' ';
    note += notes;
    entry.glosses.push_back({WithFirstWordAlone(WithoutLeadingQuotes(words)), std::move(note)});
  }
  return entry;
}

Imported ImportEdict(const std::string& path, const ImportSettings& settings) {
  const std::string raw = ReadSourceFile(path);
  std::string text;
  {
    text::Conversion toUtf8(text::kUtf8, text::kEucJp);
    size_t failedAt = 0;
    if (!toUtf8.Convert(raw, text, failedAt)) {
      const size_t line = LineNumberAt(raw, failedAt);
      throw ImportError(path + ": line " + std::to_string(line) + ": not valid " + text::kEucJp + " (byte " +
                            std::to_string(failedAt) + ")",
                        Problem::kBadEncoding, path, line);
    }
  }
  Cp932Encoder encoder;
  Imported result(settings);
  ImportReport& report = result.report;
  report.source = path;

  std::unordered_map<std::string, size_t> slotOf;  // code page 932 headword
  std::vector<std::pair<std::string, Translations>> headwords;
  size_t lineNumber = 0;
  auto encode = [&](const std::string& utf8) {
    std::optional<std::string> bytes = encoder.Encode(utf8);
    // EUC-JP decoded by iconv is always valid UTF-8.
    if (!bytes) throw ImportError(path + ": line " + std::to_string(lineNumber) + ": cannot be encoded");
    return std::move(*bytes);
  };

  for (std::string_view line : Split(text, '\n')) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (Trim(line).empty()) continue;
    if (StartsWith(line, kHeaderMark)) {
      report.changed.Add("header lines skipped");
      continue;
    }
    ++report.entriesRead;
    ShowProgress(settings.progress, report.entriesRead, line.data() - text.data(), text.size());
    std::optional<EdictEntry> entry = ParseEdictLine(line);
    if (!entry) {
      report.dropped.Add("lines not in the EDICT form \"word [reading] /gloss/.../\"");
      continue;
    }
    report.changed.Add("glosses left out: only tags or notes", entry->glossesWithoutText);
    if (entry->glosses.empty()) {
      report.dropped.Add("entries without an English gloss");
      continue;
    }
    std::string word = entry->japanese;
    if (!entry->reading.empty()) word += "[" + entry->reading + "]";
    for (const EdictGloss& gloss : entry->glosses) {
      std::string headword = encode(gloss.headword);
      std::string item = encode(gloss.note.empty() ? word : word + " " + gloss.note);
      auto [slot, added] = slotOf.emplace(std::move(headword), headwords.size());
      if (added) headwords.emplace_back(slot->first, Translations{});
      headwords[slot->second].second.Add(std::move(item), entry->common);
    }
  }
  if (report.entriesRead == 0 || headwords.empty())
    throw ImportError(path + ": holds no EDICT entries (\"word [reading] /gloss/.../\" lines)", Problem::kNoEntries,
                      path);

  const std::string separator = encode(kWordSeparator);
  for (const auto& [headword, translations] : headwords)
    AddJoinedLine(result, headword, translations.InOrder(), separator);
  Finish(result, encoder);
  return result;
}

}  // namespace import
