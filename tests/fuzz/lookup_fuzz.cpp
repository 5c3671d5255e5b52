// Differential fuzzing: the engine and the literal reference must leave the
// same lists (rows, counts, which lists were touched, sizes, extents) and the
// same window size for random dictionaries and queries, related on and off
// (where the reference finds nothing, its lookup of the stripped query);
// and the text-mode reader must give the literal reading's pieces, how each
// ended and the raw bytes after Ctrl+Z, which the dictionary rewrite keeps;
// and lookups one after another that keep what they read must give a fresh
// literal reading's results with the dictionary edited between them; and
// lists filled a slice at a time, lookups started before the last one's rows
// are all in and held hot keys included, must end as those results.
//
// Input: an 11-byte header, then (unless the query comes from the dictionary)
// the query, then the raw dictionary.
//   0    flags: 1 related words, 2 query copied from the dictionary,
//        4 insert a long run of one byte, 8 swap the case of the query's first byte,
//        16 punctuation around the query, 32 typographic apostrophes in it
//   1    query length
//   2-3  where in the dictionary the query is copied from
//   4    an inflection ending to append (value % 10, 0 none); value / 10 the
//        punctuation before the query
//   5    a Latin prefix to put in front (value % 9, 0 none); value / 9 the
//        punctuation after it
//   6    the byte of the run; 7-8 its length; 9 where it goes (in 256ths)
//   10   the largest read the engine gets from the dictionary (61 times the
//        value; 0: all at once), which moves its block boundaries
// The run and the copied query reach long lines and real matches quickly.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "dictionary/text_mode_reader.h"
#include "lookup/dictionary_lookups.h"
#include "lookup/list_filling.h"
#include "lookup/lookup.h"
#include "lookup/lookup_from_source.h"
#include "lookup/result_filling.h"
#include "tests/fuzz/punctuated_query.h"
#include "tests/support/literal_reading.h"
#include "tests/support/memory_files.h"
#include "tests/support/reference_lookup.h"
#include "tests/support/reference_punctuation.h"

namespace {

constexpr size_t kHeaderSize = 11;
const char* const kEndings[] = {"", "'s", "ier", "er", "ies", "es", "s", "ied", "ed", "ing"};
const char* const kPrefixes[] = {"", "in", "im", "con", "com", "de", "sub", "sus", "re"};

struct Case {
  bool related = false;
  size_t largestRead = static_cast<size_t>(-1);
  std::string query;
  std::string dictionary;
};

Case Decode(const uint8_t* data, size_t size) {
  Case c;
  if (size < kHeaderSize) {
    c.dictionary.assign(reinterpret_cast<const char*>(data), size);
    c.query = "a";
    return c;
  }
  const uint8_t flags = data[0];
  const size_t queryLength = data[1];
  std::string_view rest(reinterpret_cast<const char*>(data) + kHeaderSize, size - kHeaderSize);
  c.related = flags & 1;
  if (data[10] != 0) c.largestRead = data[10] * size_t{61};
  if (flags & 2) {
    c.dictionary = std::string(rest);
  } else {
    c.query = std::string(rest.substr(0, queryLength));
    c.dictionary = std::string(rest.substr(c.query.size()));
  }
  if (flags & 4) {
    size_t runLength = data[7] | (data[8] << 8);
    size_t where = c.dictionary.size() * data[9] / 256;
    c.dictionary.insert(where, runLength, static_cast<char>(data[6]));
  }
  if (flags & 2) {
    size_t from = c.dictionary.empty() ? 0 : (data[2] | (data[3] << 8)) % c.dictionary.size();
    c.query = c.dictionary.substr(from, queryLength);
  }
  if ((flags & 8) && !c.query.empty()) c.query[0] ^= 0x20;
  c.query = kPrefixes[data[5] % 9] + c.query + kEndings[data[4] % 10];
  c.query = fuzz::Punctuated(c.query, flags, data[4] / 10, data[5] / 9);
  return c;
}

void Print(const char* who, const lookup::LookupResult& r) {
  std::fprintf(stderr, "%s: shown=%d listCounter=%d largestCount=%d window=%dx%d\n", who, r.shown, r.listCounter,
               r.largestCount, r.WindowWidth(), r.WindowHeight());
  for (size_t i = 0; i < r.lists.size(); ++i) {
    if (!r.lists[i]) continue;
    const lookup::ListFill& l = *r.lists[i];
    std::fprintf(stderr, "  list %zu: opened=%d count=%d longestRow=%d rows=%zu size=%dx%d extent=%d\n", i, l.opened,
                 l.count, l.longestRow, l.rows.size(), l.Width(), l.Height(), l.Extent());
  }
}

bool SameList(const lookup::ListFill& a, const lookup::ListFill& b) {
  return a.opened == b.opened && a.rows == b.rows && a.count == b.count && a.longestRow == b.longestRow &&
         a.SizedRows() == b.SizedRows() && a.Width() == b.Width() && a.Height() == b.Height() &&
         a.Extent() == b.Extent();
}

bool SameResult(const lookup::LookupResult& a, const lookup::LookupResult& b) {
  if (a.shown != b.shown || a.listCounter != b.listCounter || a.largestCount != b.largestCount ||
      a.WindowWidth() != b.WindowWidth() || a.WindowHeight() != b.WindowHeight()) {
    return false;
  }
  for (size_t i = 0; i < a.lists.size(); ++i) {
    if (a.lists[i].has_value() != b.lists[i].has_value()) return false;
    if (a.lists[i] && !SameList(*a.lists[i], *b.lists[i])) return false;
  }
  return true;
}

// The lookups that keep what they read, with the dictionary edited between
// them: each must give what a fresh literal reading gives. The edits, the
// clock and the words come from a generator seeded with the input.
class Edits {
 public:
  explicit Edits(uint64_t seed) : state_(seed) {}
  uint64_t Next() {  // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  size_t Below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(Next() % n); }

 private:
  uint64_t state_;
};

constexpr int kKeptRounds = 6;
constexpr double kKeepAll = 1e9;  // of a file's size: keep what is learned of any file
const char* const kEditNames[] = {
    "none",       "same size",     "line added",  "line removed", "line lengthened past the piece limit",
    "0x1A moved", "file replaced", "file removed"};

uint64_t Seed(const uint8_t* data, size_t size) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 1099511628211ull;
  return hash;
}

// Where the line that holds byte `at` starts.
size_t LineStart(const std::string& text, size_t at) {
  const size_t lf = at == 0 ? std::string::npos : text.rfind('\n', at - 1);
  return lf == std::string::npos ? 0 : lf + 1;
}

// A word the dictionary may hold: a piece of it, or the query with another ending.
std::string SomeQuery(const Case& c, const std::string& dictionary, Edits& edits) {
  if (edits.Below(3) == 0 || dictionary.empty())
    return c.query.substr(0, edits.Below(c.query.size() + 1)) + kEndings[edits.Below(10)];
  const size_t from = LineStart(dictionary, edits.Below(dictionary.size()));
  return kPrefixes[edits.Below(9) % 3 == 0 ? edits.Below(9) : 0] +
         dictionary.substr(from, 1 + edits.Below(12)) + kEndings[edits.Below(10)];
}

// Applies one kind of edit to `text`; returns its index in kEditNames.
size_t Edit(std::string& text, const std::string& word, Edits& edits) {
  const size_t kind = edits.Below(6);
  const size_t at = edits.Below(text.size() + 1);
  switch (kind) {
    case 1:  // same size: bytes from elsewhere, then maybe a line end or a TAB somewhere
      if (!text.empty()) {
        const size_t length = 1 + edits.Below(std::min<size_t>(16, text.size()));
        const std::string bytes = text.substr(edits.Below(text.size() - length + 1), length);
        text.replace(edits.Below(text.size() - length + 1), length, bytes);
        if (edits.Below(2) == 0) text[edits.Below(text.size())] = edits.Below(2) ? '\n' : '\t';
      }
      break;
    case 2:
      text.insert(LineStart(text, at), word + (edits.Below(2) ? "\tadded\r\n" : "\tadded\n"));
      break;
    case 3: {
      const size_t begin = LineStart(text, at);
      const size_t lf = text.find('\n', begin);
      text.erase(begin, lf == std::string::npos ? std::string::npos : lf + 1 - begin);
      break;
    }
    case 4:
      text.insert(at, dictionary::kMaxPieceLength - 5 + edits.Below(20), edits.Below(2) ? 'x' : '\t');
      break;
    case 5: {
      const size_t old = text.find('\x1A');
      if (old != std::string::npos) text.erase(old, 1);
      text.insert(std::min(at, text.size()), 1, '\x1A');
      break;
    }
  }
  return kind;
}

void CheckKeptLookups(const Case& c, uint64_t seed) {
  const std::string name = "RAdoro.txt";
  Edits edits(seed);
  const dictionary::FileTime ticks[] = {dictionary::kTimestampGranularity, 1,
                                        dictionary::kTicksPerSecond / 100};
  // Reads so cheap that pieces are read in stretches, or so dear that the file is read whole.
  const uint64_t readCosts[] = {0, 4096, uint64_t{1} << 40};
  testsupport::MemoryFiles files(ticks[edits.Below(3)], readCosts[edits.Below(3)]);
  const dictionary::FileTime steps[] = {0, 1, dictionary::kTimestampGranularity - 1,
                                        dictionary::kTimestampGranularity,
                                        3 * dictionary::kTimestampGranularity};
  std::string current = c.dictionary;
  bool exists = true;
  files.Write(name, current);
  lookup::DictionaryLookups lookups(name, files,
                                    lookup::KeepLimits{kKeepAll, static_cast<int>(edits.Below(4))});
  std::string history;
  for (int round = 0; round < kKeptRounds; ++round) {
    files.Advance(steps[edits.Below(5)]);
    const std::string query = round == 0 ? c.query : SomeQuery(c, current, edits);
    const bool related = round == 0 ? c.related : edits.Below(2) == 0;
    const lookup::LookupResult kept = lookups.Lookup(query, related);
    const lookup::LookupResult literal =
        exists ? lookup::reference::LookupWithRetryInBytes(current, query, related)
               : lookup::reference::LookupWithRetry("", query, related);
    if (!SameResult(kept, literal) || files.openFiles() != 0) {
      std::fprintf(stderr, "kept lookups, round %d, query \"%s\", after: %s\nopen files: %d\n", round,
                   query.c_str(), history.c_str(), files.openFiles());
      Print("kept", kept);
      Print("reference", literal);
      std::abort();
    }
    files.Advance(steps[edits.Below(5)]);
    size_t kind = Edit(current, SomeQuery(c, current, edits), edits);
    const size_t how = edits.Below(8);
    if (how == 0) {
      kind = 6;
      // Often a file written long ago, such as the backup put back, or even
      // at the very time of the one it replaces, as files unpacked together are.
      const dictionary::FileTime replacedAt = exists ? files.LastWrite(name) : files.Now();
      files.Replace(name, current);
      const size_t when = edits.Below(3);
      if (when == 1) files.SetLastWrite(name, files.Now() - 100 * dictionary::kTimestampGranularity);
      if (when == 2) files.SetLastWrite(name, replacedAt);
      exists = true;
    } else if (how == 1 && round % 2 == 1) {
      kind = 7;
      files.Remove(name);
      exists = false;
    } else if (kind != 0 || !exists) {
      files.Write(name, current);
      exists = true;
    }
    history += std::string(kEditNames[kind]) + "; ";
  }
}

constexpr int kFillRounds = 6;
constexpr int32_t kAnyExtent = -2;
constexpr std::array<bool, lookup::kListCount> kAllFilling{true, true, true, true, true};

// A list control that holds what the fill put in it.
class ModelList final : public lookup::ListControl {
 public:
  void BeginChanges() override { ++changing; }
  void EndChanges() override { --changing; }
  void Reset() override { rows.clear(); }
  bool Append(std::string_view row) override { return InsertAt(rows.size(), row); }
  bool InsertAt(size_t index, std::string_view row) override {
    if (index > rows.size()) Fail("a row inserted past the list's end");
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(index), Lossy(row));
    return rows[index] == row;
  }
  std::string RowText(size_t index) override { return rows.at(index); }
  // As a list keeps text it can't hold every byte of.
  static std::string Lossy(std::string_view row) {
    std::string text(row);
    std::replace(text.begin(), text.end(), '\xFF', '?');
    return text;
  }
  void RemoveAt(size_t index) override {
    if (index >= rows.size()) Fail("a row removed that the list does not hold");
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
  }
  void Reserve(size_t) override {}
  void Resize(int32_t w, int32_t h) override { width = w, height = h; }
  void SetExtent(int32_t pixels) override { extent = pixels; }

  [[noreturn]] static void Fail(const char* what) {
    std::fprintf(stderr, "list fill: %s\n", what);
    std::abort();
  }

  std::vector<std::string> rows;
  int32_t width = -1, height = -1, extent = -1;
  int changing = 0;
};

// What a list must hold once every row is in: the listing of the lookup that
// last touched it, as the dictionary stood then (`edits`: edits made before).
struct Expected {
  lookup::ListFill fill;
  int32_t width = -1, height = -1, extent = -1;
  int edits = 0;
};

void CheckFills(const Case& c, uint64_t seed) {
  const std::string name = "RAdoro.txt";
  Edits edits(seed ^ 0xF111ED);
  const uint64_t readCosts[] = {0, uint64_t{1} << 40};
  testsupport::MemoryFiles files(dictionary::kTimestampGranularity, readCosts[edits.Below(2)]);
  std::string current = c.dictionary;
  bool exists = true;
  int editCount = 0;
  files.Write(name, current);
  lookup::DictionaryLookups lookups(name, files, lookup::KeepLimits{kKeepAll, static_cast<int>(edits.Below(4))});
  // Tiny slices, so that short dictionaries fill in many.
  const lookup::FillLimits limits{edits.Below(3), edits.Below(3), edits.Below(3), 1 + edits.Below(3), edits.Below(4) == 0 ? 3u : 1u};
  std::array<ModelList, lookup::kListCount> models;
  std::array<lookup::ListFilling, lookup::kListCount> lists{
      lookup::ListFilling(models[0], limits), lookup::ListFilling(models[1], limits),
      lookup::ListFilling(models[2], limits), lookup::ListFilling(models[3], limits),
      lookup::ListFilling(models[4], limits)};
  lookup::ResultFilling filling(lookups, {&lists[0], &lists[1], &lists[2], &lists[3], &lists[4]});
  std::array<Expected, lookup::kListCount> expected;
  lookup::LookupResult last;  // the literal result of the last lookup that showed anything
  std::string history;
  auto fail = [&](const char* what, const lookup::LookupResult& literal) {
    std::fprintf(stderr, "filled lists: %s, after: %s\n", what, history.c_str());
    Print("reference", literal);
    std::abort();
  };
  // The lists the literal lookup of `query` touches, as the dictionary is now.
  // `filling`: whether lists were still filling when the lookup started.
  auto expect = [&](const std::string& query, bool related, const std::optional<lookup::WindowSize>& size,
                    const std::array<bool, lookup::kListCount>& filling) {
    const lookup::LookupResult literal = exists ? lookup::reference::LookupWithRetryInBytes(current, query, related)
                                                : lookup::reference::LookupWithRetry("", query, related);
    if (size.has_value() != literal.shown || (size && (size->width != literal.WindowWidth() ||
                                                       size->height != literal.WindowHeight())))
      fail("the window's size", literal);
    if (!literal.shown) return;  // nothing was touched
    last = literal;
    for (size_t i = 0; i < expected.size(); ++i) {
      if (!last.lists[i]) continue;
      const lookup::ListFill& fill = *last.lists[i];
      expected[i].fill = fill;
      expected[i].edits = editCount;
      // An unreadable dictionary leaves the extent as the last fill left it, which
      // is the whole listing's only if that fill had ended.
      if (filling[i]) expected[i].extent = kAnyExtent;
      if (fill.opened) expected[i] = Expected{fill, fill.Width(), fill.Height(), fill.Extent(), editCount};
    }
  };

  std::string query = c.query;
  bool related = c.related;
  // The last lookup that showed anything: what a changed file makes the lists list again.
  std::string shownQuery;
  bool shownRelated = false;
  // A few slices, some large enough to finish the index.
  auto slices = [&](size_t count) {
    for (; count > 0; --count) {
      lookup::WorkBudget budget = lookup::WorkBudget::Units(edits.Below(2) == 0 ? 1000 : edits.Below(8));
      const lookup::ResultFilling::Progress progress = filling.Continue(budget);
      if (progress.relisted) expect(shownQuery, shownRelated, progress.relisted, kAllFilling);
    }
    if (files.openFiles() != 0) fail("a file left open between slices", last);
  };
  for (int round = 0; round < kFillRounds; ++round) {
    // Mostly a file written a while ago, as a user's dictionary is: kept.
    files.Advance(edits.Below(4) == 0 ? 0 : (1 + edits.Below(2)) * dictionary::kTimestampGranularity);
    // A later tick of one hold of the hot key looks the same text up again.
    const bool held = round > 0 && edits.Below(3) == 0;
    if (!held) {
      // Often the first bytes of a line: many lines begin with them.
      const size_t line = LineStart(current, edits.Below(current.size()));
      query = round == 0 ? c.query : edits.Below(2) ? current.substr(line, 1 + edits.Below(2)) : SomeQuery(c, current, edits);
      related = round == 0 ? c.related : edits.Below(2) == 0;
    }
    if (held && filling.WouldRepeat(query, related)) {
      const lookup::LookupResult now = lookup::reference::LookupWithRetryInBytes(current, query, related);
      if (!SameResult(now, last)) fail("a repeat of a lookup that would list other rows", now);
      history += "repeated; ";
    } else {
      std::array<bool, lookup::kListCount> wasFilling;
      for (size_t i = 0; i < lists.size(); ++i) wasFilling[i] = lists[i].Pending() != 0;
      lookup::WorkBudget budget = lookup::WorkBudget::Units(edits.Below(3));
      const std::optional<lookup::WindowSize> size = filling.Start(query, related, budget);
      expect(query, related, size, wasFilling);
      if (size) shownQuery = query, shownRelated = related;
      history += "\"" + query + "\"; ";
    }
    slices(edits.Below(4));
    // An edit, maybe while rows are still to come.
    if (edits.Below(3) == 0) {
      Edit(current, SomeQuery(c, current, edits), edits);
      if (edits.Below(4) == 0) {
        files.Replace(name, current);
      } else {
        files.Write(name, current);
      }
      exists = true;
      ++editCount;
      history += "edited; ";
    } else if (edits.Below(16) == 0) {
      files.Remove(name);
      exists = false;
      ++editCount;
      history += "removed; ";
    }
    slices(1 + edits.Below(3));
  }
  for (;;) {
    lookup::WorkBudget everything = lookup::WorkBudget::Unlimited();
    const lookup::ResultFilling::Progress progress = filling.Continue(everything);
    if (progress.relisted) expect(shownQuery, shownRelated, progress.relisted, kAllFilling);
    if (!progress.more) break;
  }
  if (filling.PendingRows() != 0) fail("rows left to come", last);
  for (size_t i = 0; i < models.size(); ++i) {
    const ModelList& model = models[i];
    const Expected& want = expected[i];
    const std::vector<std::string>& rows = want.fill.rows;
    // A list an earlier lookup filled stops where it got when the file changes under it.
    const bool exact = last.lists[i] || want.edits == editCount;
    // The rows' bytes, as the program gives them to a row's actions.
    std::vector<std::string> held;
    for (size_t r = 0; r < model.rows.size(); ++r) {
      held.push_back(lists[i].RowAt(r));
      if (ModelList::Lossy(held.back()) != model.rows[r]) fail("a row's bytes differ from the list's", last);
    }
    if (!lists[i].RowAt(held.size()).empty() || model.changing != 0) fail("a list's rows or drawing", last);
    const bool prefix = held.size() <= rows.size() && std::equal(held.begin(), held.end(), rows.begin());
    if (!prefix || (exact && held.size() != rows.size())) {
      std::fprintf(stderr, "list %zu holds %zu rows, expected %zu\n", i, held.size(), rows.size());
      fail("a list's rows", last);
    }
    if (model.width != want.width || model.height != want.height ||
        (exact && want.extent != kAnyExtent && model.extent != want.extent))
      fail("a list's size or extent", last);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Case c = Decode(data, size);

  dictionary::MemorySource raw(c.dictionary, c.largestRead);
  bool complete = false;
  const lookup::reference::Reading read = lookup::reference::ReadThroughReader(raw, &complete);
  const lookup::reference::Reading literally = lookup::reference::ReadLiterally(c.dictionary);
  if (!complete || !(read == literally)) {
    std::cerr << "text-mode reader: " << read << (complete ? "" : " (incomplete)")
              << "\nliterally: " << literally << "\n";
    std::abort();
  }

  dictionary::MemorySource source(c.dictionary, c.largestRead);
  lookup::LookupResult engine = lookup::LookupFrom(source, c.query, c.related);
  lookup::LookupResult literal = lookup::reference::LookupWithRetryInBytes(c.dictionary, c.query, c.related);
  if (!SameResult(engine, literal)) {
    Print("engine", engine);
    Print("reference", literal);
    std::abort();
  }

  // One word as given, untrimmed and uncut.
  if (c.query.size() < 10240) {
    dictionary::MemorySource again(c.dictionary, c.largestRead);
    lookup::ListFill engineList = lookup::ListHeadwordFrom(again, c.query);
    lookup::ListFill literalList = lookup::reference::ListHeadwordInBytes(c.dictionary, c.query);
    if (!SameList(engineList, literalList)) {
      std::fprintf(stderr, "ListHeadword differs: engine %d rows, reference %d rows\n", engineList.count,
                   literalList.count);
      std::abort();
    }
  }

  CheckKeptLookups(c, Seed(data, size));
  CheckFills(c, Seed(data, size));
  return 0;
}
