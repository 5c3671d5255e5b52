// Differential fuzzing: the engine and the literal reference must leave the
// same lists (rows, counts, which lists were touched, sizes, extents) and the
// same window size for random dictionaries and queries, related on and off
// (where the reference finds nothing, its lookup of the stripped query);
// and the text-mode reader must give the literal reading's pieces, how each
// ended and the raw bytes after Ctrl+Z, which the dictionary rewrite keeps.
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
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "tests/support/literal_reading.h"
#include "lookup/lookup.h"
#include "lookup/lookup_from_source.h"
#include "tests/fuzz/punctuated_query.h"
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
  return 0;
}
