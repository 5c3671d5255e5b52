#include "freedict_import.h"

#include <cstdint>
#include <unordered_map>
#include <utility>

#include "gzip_file.h"
#include "import_error.h"
#include "text_util.h"

namespace import {
namespace {

// dictd writes offsets and lengths in base 64 with this digit order.
constexpr std::string_view kDictdDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kMostDictdDigits = 10;  // 60 bits, far beyond any file
// Entries that describe the database itself, not words.
constexpr std::string_view kDatabaseInfoPrefixes[] = {"00database", "00-database"};

constexpr char kJapaneseSeparator[] = "\xE3\x80\x81";  // 、
constexpr char kGlossSeparator[] = " / ";
constexpr char kPieceSeparator[] = " ";
// Notes are there to tell the senses apart; longer ones are cut at a word.
constexpr size_t kLongestNote = 60;

// The abbreviations a learner knows from paper dictionaries.
constexpr std::pair<std::string_view, std::string_view> kPosLabels[] = {
    {"n", "n."},           {"v", "v."},
    {"adj", "adj."},       {"adv", "adv."},
    {"pn", "pr.n."},       {"preposition", "prep."},
    {"pronoun", "pron."},  {"conjunction", "conj."},
    {"interjection", "int."}, {"numeral", "num."},
    {"determiner", "det."}, {"article", "art."},
    {"particle", "part."}, {"prefix", "pref."},
    {"suffix", "suf."},    {"phraseologicalUnit", "phr."},
    {"proverb", "prov."},  {"idiom", "idiom"},
    {"symbol", "sym."},    {"postposition", "postp."},
};

std::string PosLabel(std::string_view pos) {
  for (const auto& [tag, label] : kPosLabels)
    if (tag == pos) return std::string(label);
  return std::string(pos);
}

bool DecodeDictdNumber(std::string_view digits, uint64_t& value) {
  if (digits.empty() || digits.size() > kMostDictdDigits) return false;
  value = 0;
  for (char c : digits) {
    size_t d = kDictdDigits.find(c);
    if (d == std::string_view::npos) return false;
    value = value * kDictdDigits.size() + d;
  }
  return true;
}

bool IsDatabaseInfo(std::string_view headword) {
  for (std::string_view prefix : kDatabaseInfoPrefixes)
    if (StartsWith(headword, prefix)) return true;
  return false;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of a leading sense number "12. ", or 0.
size_t SenseNumberLength(std::string_view line) {
  size_t i = 0;
  while (i < line.size() && IsDigit(line[i])) ++i;
  if (i == 0 || line.substr(i, 2) != ". ") return 0;
  return i + 2;
}

// A trailing " 2." says that more glosses of the sense follow; alone on a line
// (" 3.") it announces the next one.
size_t GlossMarkerLength(std::string_view line) {
  if (!EndsWith(line, ".")) return 0;
  size_t i = line.size() - 1;
  size_t digitsEnd = i;
  while (i > 0 && IsDigit(line[i - 1])) --i;
  if (i == digitsEnd || i == 0 || line[i - 1] != ' ') return 0;
  return line.size() - (i - 1);
}

void ParseJapanese(std::string_view line, FreedictSense& sense) {
  line.remove_suffix(GlossMarkerLength(line));
  for (std::string_view word : Split(line, ',')) {
    word = Trim(word);
    if (word.empty()) continue;
    bool seen = false;
    for (const std::string& w : sense.japanese) seen = seen || w == word;
    if (!seen) sense.japanese.emplace_back(word);
  }
}

// "訳語、訳語 (gloss / gloss)"
std::string SenseText(const FreedictSense& sense, bool& noteShortened) {
  std::string text;
  for (const std::string& word : sense.japanese) {
    if (!text.empty()) text += kJapaneseSeparator;
    text += word;
  }
  std::string note;
  for (const std::string& gloss : sense.glosses) {
    if (gloss.empty()) continue;
    if (!note.empty()) note += kGlossSeparator;
    note += gloss;
  }
  noteShortened = false;
  if (!note.empty()) text += " (" + ShortenAtWord(note, kLongestNote, noteShortened) + ")";
  return text;
}

// All entries of one headword (as written), in index order.
struct HeadwordSenses {
  std::vector<std::pair<std::string, std::vector<std::string>>> byPos;  // label, sense texts

  void Add(const std::string& label, std::vector<std::string> senses) {
    for (auto& [l, s] : byPos) {
      if (l == label) {
        s.insert(s.end(), senses.begin(), senses.end());
        return;
      }
    }
    byPos.emplace_back(label, std::move(senses));
  }

  // "n. ①… ②… v. …"
  std::vector<std::string> Pieces() const {
    std::vector<std::string> pieces;
    for (const auto& [label, senses] : byPos) {
      for (size_t i = 0; i < senses.size(); ++i) {
        std::string piece = i == 0 && !label.empty() ? label + " " : "";
        if (senses.size() > 1) piece += SenseNumber(static_cast<int>(i));
        pieces.push_back(piece + senses[i]);
      }
    }
    return pieces;
  }
};

}  // namespace

FreedictEntry ParseFreedictEntry(std::string_view text) {
  FreedictEntry entry;
  std::vector<std::string_view> lines = Split(text, '\n');
  std::string_view head = lines[0];
  if (EndsWith(head, ">")) {
    size_t open = head.rfind(" <");
    if (open != std::string_view::npos) {
      entry.pos = std::string(head.substr(open + 2, head.size() - open - 3));
      head = head.substr(0, open);
    }
  }
  head = head.substr(0, head.find(" /"));  // pronunciations follow
  entry.headword = std::string(Trim(head));

  std::vector<FreedictSense> senses;
  bool wantJapanese = true;  // an unnumbered sense starts with its Japanese line
  for (size_t i = 1; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (line.empty()) continue;
    if (size_t n = SenseNumberLength(line)) {
      senses.emplace_back();
      ParseJapanese(line.substr(n), senses.back());
      wantJapanese = false;
    } else if (GlossMarkerLength(line) == line.size()) {
      wantJapanese = senses.empty();
    } else if (wantJapanese) {
      senses.emplace_back();
      ParseJapanese(line, senses.back());
      wantJapanese = false;
    } else {
      senses.back().glosses.emplace_back(Trim(line));
    }
  }
  for (FreedictSense& sense : senses) {
    if (sense.japanese.empty()) {
      ++entry.sensesWithoutJapanese;
    } else {
      entry.senses.push_back(std::move(sense));
    }
  }
  return entry;
}

Imported ImportFreedict(const std::string& indexPath, const std::string& dataPath,
                        const ImportSettings& settings) {
  const std::string index = ReadWholeFile(indexPath);
  const std::string data = ReadGzipFile(dataPath);
  Cp932Encoder encoder;
  Imported result(settings);
  ImportReport& report = result.report;
  report.source = indexPath + " and " + dataPath;

  std::unordered_map<std::string, size_t> slotOf;  // code page 932 headword
  std::vector<std::pair<std::string, HeadwordSenses>> headwords;

  size_t lineNumber = 0;
  for (std::string_view line : Split(index, '\n')) {
    ++lineNumber;
    if (line.empty()) continue;
    const std::string where = indexPath + ": line " + std::to_string(lineNumber);
    std::vector<std::string_view> fields = Split(line, '\t');
    if (fields.size() < 3 || fields.size() > 4)
      throw ImportError(where + ": not \"headword TAB offset TAB length\" (is this a dictd index?)");
    uint64_t offset = 0, length = 0;
    if (!DecodeDictdNumber(fields[1], offset) || !DecodeDictdNumber(fields[2], length))
      throw ImportError(where + ": offset or length is not a dictd number");
    if (offset > data.size() || length > data.size() - offset)
      throw ImportError(where + ": the entry lies outside " + dataPath + " (offset " + std::to_string(offset) +
                        ", length " + std::to_string(length) + ", " + std::to_string(data.size()) +
                        " bytes of text); do the two files belong together?");
    if (IsDatabaseInfo(fields[0])) {
      report.changed.Add("dictd information entries skipped");
      continue;
    }
    ++report.entriesRead;
    ShowProgress(settings.progress, report.entriesRead, line.data() - index.data(), index.size());
    std::string_view text = std::string_view(data).substr(offset, length);
    if (!encoder.IsValidUtf8(text))
      throw ImportError(dataPath + ": the entry of " + where + " (\"" + std::string(fields[0]) +
                        "\") is not valid UTF-8");
    FreedictEntry entry = ParseFreedictEntry(text);
    report.changed.Add("senses without a Japanese meaning left out", entry.sensesWithoutJapanese);
    if (entry.headword.empty()) {
      report.dropped.Add("entries without a headword");
      continue;
    }
    if (entry.senses.empty()) {
      report.dropped.Add("entries without a Japanese meaning");
      continue;
    }
    std::optional<std::string> headword = encoder.Encode(entry.headword);
    if (!headword || Trim(*headword).empty()) {
      report.dropped.Add("entries without a headword");
      continue;
    }
    std::vector<std::string> senses;
    for (const FreedictSense& sense : entry.senses) {
      bool shortened = false;
      senses.push_back(SenseText(sense, shortened));
      if (shortened) report.changed.Add("notes shortened");
    }
    auto [slot, added] = slotOf.emplace(*headword, headwords.size());
    if (added) {
      headwords.emplace_back(*headword, HeadwordSenses{});
    } else {
      report.changed.Add(kMergedEntries);
    }
    headwords[slot->second].second.Add(PosLabel(entry.pos), std::move(senses));
  }

  for (const auto& [headword, senses] : headwords) {
    std::vector<std::string> pieces;
    for (const std::string& piece : senses.Pieces()) {
      std::optional<std::string> bytes = encoder.Encode(piece);
      pieces.push_back(std::move(bytes.value()));  // valid: every entry was checked
    }
    AddJoinedLine(result, headword, pieces, kPieceSeparator);
  }
  Finish(result, encoder);
  return result;
}

}  // namespace import
