#include "stardict_import.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <utility>

#include "import_error.h"
#include "stardict_entry.h"
#include "stardict_files.h"
#include "text_util.h"

namespace import {
namespace {

constexpr char kPieceSeparator[] = " ";

// All entries of one headword, as written.
struct HeadwordEntries {
  std::string headword;
  std::vector<std::vector<std::string>> senses;  // one per entry: its lines
  std::string pronunciation;

  // "①line line ②line", or the lines alone when there is one entry.
  std::vector<std::string> Pieces(Cp932Encoder& encoder) const {
    std::vector<std::string> pieces;
    for (size_t i = 0; i < senses.size(); ++i) {
      for (size_t j = 0; j < senses[i].size(); ++j) {
        std::string piece = senses[i][j];
        if (j == 0 && senses.size() > 1)
          piece = encoder.Encode(SenseNumber(static_cast<int>(i))).value() + piece;
        pieces.push_back(std::move(piece));
      }
    }
    return pieces;
  }
};

class StardictImporter {
 public:
  StardictImporter(const StardictPaths& paths, const ImportSettings& settings)
      : paths_(paths), result_(settings) {}

  Imported Run() {
    const StardictInfo info = ParseStardictInfo(paths_.ifo, ReadStardictFile(paths_.ifo));
    const std::string index = ReadStardictFile(paths_.idx);
    const std::string texts = ReadStardictFile(paths_.dict);
    const std::vector<StardictIndexEntry> entries = ParseStardictIndex(paths_.idx, index, info);
    const std::string synonymBytes = paths_.syn.empty() ? std::string() : ReadStardictFile(paths_.syn);
    const std::vector<StardictSynonym> synonyms =
        ParseStardictSynonyms(paths_.syn, synonymBytes, entries.size());
    if (info.synonymCount && *info.synonymCount != synonyms.size()) {
      const std::string count = paths_.ifo + " gives synwordcount=" + std::to_string(*info.synonymCount);
      if (paths_.syn.empty()) throw ImportError(paths_.SynonymsBeside() + ": missing, but " + count);
      throw ImportError(paths_.syn + ": " + std::to_string(synonyms.size()) + " synonyms, but " + count);
    }
    // The synonyms of each entry follow it.
    std::vector<size_t> synonymsByEntry(synonyms.size());
    for (size_t i = 0; i < synonyms.size(); ++i) synonymsByEntry[i] = i;
    std::stable_sort(synonymsByEntry.begin(), synonymsByEntry.end(),
                     [&](size_t a, size_t b) { return synonyms[a].entry < synonyms[b].entry; });

    ImportReport& report = result_.report;
    report.source = paths_.ifo + (info.bookname.empty() ? "" : " (\"" + info.bookname + "\")");
    if (!synonyms.empty()) report.changed.Add("synonyms read, each a headword of its own", synonyms.size());
    std::vector<StardictField> fields;
    size_t nextSynonym = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
      const StardictIndexEntry& entry = entries[i];
      ++report.entriesRead;
      ShowProgress(result_.settings.progress, report.entriesRead, i, entries.size());
      auto where = [&] {
        return paths_.idx + ": entry " + std::to_string(i + 1) + " (\"" + std::string(entry.word) + "\")";
      };
      if (entry.offset > texts.size() || entry.size > texts.size() - entry.offset)
        throw ImportError(where() + ": its text (offset " + std::to_string(entry.offset) + ", " +
                          std::to_string(entry.size) + " bytes) lies outside " + paths_.dict + " (" +
                          std::to_string(texts.size()) + " bytes); do the files belong together?");
      std::string why;
      if (!SplitStardictFields(std::string_view(texts).substr(entry.offset, entry.size),
                               info.sameTypeSequence, fields, why))
        throw ImportError(paths_.dict + ": the text of " + where() + " " + why);
      const StardictText text = TextOfFields(fields);
      for (char type : text.otherTypes)
        report.changed.Add(std::string("fields of type '") + type + "' left out (not text)");
      Add(entry.word, text, where);
      for (; nextSynonym < synonyms.size() && synonyms[synonymsByEntry[nextSynonym]].entry == i;
           ++nextSynonym) {
        const StardictSynonym& synonym = synonyms[synonymsByEntry[nextSynonym]];
        Add(synonym.word, text, [&] {
          return paths_.syn + ": synonym " + std::to_string(synonymsByEntry[nextSynonym] + 1) + " (\"" +
                 std::string(synonym.word) + "\")";
        });
      }
    }

    for (const HeadwordEntries& h : headwords_)
      AddJoinedLine(result_, h.headword, h.Pieces(encoder_), kPieceSeparator, h.pronunciation);
    Finish(result_, encoder_, LineOrder::kAsAdded);
    return std::move(result_);
  }

 private:
  template <typename Where>
  std::string Encode(std::string_view utf8, const Where& where, const char* what) {
    std::optional<std::string> bytes = encoder_.Encode(utf8);
    if (!bytes) throw ImportError(where() + ": " + what + " is not valid UTF-8");
    return std::move(*bytes);
  }

  template <typename Where>
  void Add(std::string_view word, const StardictText& text, const Where& where) {
    ImportReport& report = result_.report;
    std::string headword = Encode(Trim(word), where, "the headword");
    if (Trim(headword).empty()) {
      report.dropped.Add("entries without a headword");
      return;
    }
    if (text.lines.empty()) {
      report.dropped.Add("entries without a meaning (a text, HTML or Pango field)");
      return;
    }
    std::vector<std::string> lines;
    for (const std::string& line : text.lines) lines.push_back(Encode(line, where, "its text"));
    auto [slot, added] = slotOf_.emplace(headword, headwords_.size());
    if (added) {
      headwords_.push_back({std::move(headword), {}, {}});
    } else {
      report.changed.Add(kMergedEntries);
    }
    HeadwordEntries& entries = headwords_[slot->second];
    // A repeated text (a synonym of a word spelled alike, a copied entry) is said once.
    if (std::find(entries.senses.begin(), entries.senses.end(), lines) == entries.senses.end())
      entries.senses.push_back(std::move(lines));
    for (const std::string& p : text.pronunciations) {
      std::string pronunciation = Encode(p, where, "its pronunciation");
      // The program finds the field by its only ']'; one inside, even as the
      // second byte of a double-byte character, would hide it.
      if (pronunciation.find(']') != std::string::npos) {
        report.changed.Add("pronunciations left out: code page 932 gives them a ']' byte");
      } else if (entries.pronunciation.empty()) {
        entries.pronunciation = std::move(pronunciation);
      } else if (pronunciation != entries.pronunciation) {
        report.changed.Add("pronunciations left out: the headword has one already");
      }
    }
  }

  const StardictPaths& paths_;
  Cp932Encoder encoder_;
  Imported result_;
  std::unordered_map<std::string, size_t> slotOf_;  // code page 932 headword
  std::vector<HeadwordEntries> headwords_;
};

}  // namespace

Imported ImportStardict(const std::string& ifoPath, const ImportSettings& settings) {
  const StardictPaths paths = FindStardictFiles(ifoPath);
  return StardictImporter(paths, settings).Run();
}

}  // namespace import
