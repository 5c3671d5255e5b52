// Measures, for each dictionary file given, in one run:
//   a  the engine's lookup that tries the most words: the query, nine stems
//      and seven related candidates, seventeen words, all found in one read;
//   b  the literal reference trying the same seventeen words, one pass each;
//   c  one raw read of the whole file into a reused buffer plus a count of
//      its lines with memchr.
// and prints one line per dictionary:
//   <name> lines=<n> bytes=<n> engine_vs_raw_read=<a/c> speedup_vs_literal=<b/a>
// Each figure is the fastest of several runs (the machine is shared, and
// the fastest run is the one least disturbed); details go to stderr.
//
//   lookup_bench DICTIONARY...
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "lookup/lookup.h"
#include "tests/support/reference_lookup.h"

namespace {

constexpr int kFastRuns = 31;
constexpr int kLiteralRuns = 3;
constexpr int kWordsOfTheWorstCase = 17;

// "re" (group 8: seven candidates) + a stem + every ending in the order the
// fallback cuts them, so that all nine cuts apply in turn.
const char* const kStems[] = {"quz", "xqj", "zzvq", "qxqx"};
const char kEndings[] = "ingediedsesieserier's";

using Clock = std::chrono::steady_clock;

template <class F>
double Seconds(F&& run) {
  auto start = Clock::now();
  run();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "lookup_bench: %s\n", message.c_str());
  std::exit(1);
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

long FileSize(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) Fail("cannot open " + path + ": " + std::strerror(errno));
  std::fseek(file, 0, SEEK_END);
  long size = std::ftell(file);
  std::fclose(file);
  return size;
}

// One raw read into `buffer` and the number of LF bytes in it.
size_t ReadAndCountLines(const std::string& path, char* buffer, size_t capacity) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) Fail("cannot open " + path);
  size_t size = std::fread(buffer, 1, capacity, file);
  std::fclose(file);
  size_t lines = 0;
  const char* p = buffer;
  const char* end = buffer + size;
  while (const void* lf = std::memchr(p, '\n', static_cast<size_t>(end - p))) {
    ++lines;
    p = static_cast<const char*>(lf) + 1;
  }
  return lines;
}

// A query that tries seventeen words against this dictionary: all stems
// and candidates find nothing, so no try ends the fallback or the search.
std::string WorstCaseQuery(const std::string& path) {
  for (const char* stem : kStems) {
    std::string query = std::string("re") + stem + kEndings;
    if (lookup::Lookup(path, query, true).largestCount == 0) return query;
  }
  Fail(path + ": every prepared query finds something; none tries all seventeen words");
}

void Measure(const std::string& path) {
  const long size = FileSize(path);
  const size_t capacity = static_cast<size_t>(size) + 1;
  std::unique_ptr<char[]> buffer(new char[capacity]);
  const size_t lines = ReadAndCountLines(path, buffer.get(), capacity);

  const std::string query = WorstCaseQuery(path);
  int passes = 0;
  lookup::LookupResult literal = lookup::reference::Lookup(path, query, true, &passes);
  if (passes != kWordsOfTheWorstCase) {
    Fail(path + ": the query \"" + query + "\" tries " + std::to_string(passes) + " words, not 17");
  }
  lookup::LookupResult engine = lookup::Lookup(path, query, true);
  if (engine.listCounter != literal.listCounter || engine.largestCount != literal.largestCount ||
      engine.lists[0]->rows != literal.lists[0]->rows || engine.lists[1]->rows != literal.lists[1]->rows) {
    Fail(path + ": the engine and the literal reference disagree on \"" + query + "\"");
  }

  // The engine and the raw read alternate, so that both see the same machine.
  double a = 1e9, b = 1e9, c = 1e9;
  size_t sink = 0;
  for (int i = 0; i < kFastRuns; ++i) {
    a = std::min(a, Seconds([&] { sink += lookup::Lookup(path, query, true).lists[0]->rows.size(); }));
    c = std::min(c, Seconds([&] { sink += ReadAndCountLines(path, buffer.get(), capacity); }));
  }
  for (int i = 0; i < kLiteralRuns; ++i) {
    b = std::min(b, Seconds([&] { sink += lookup::reference::Lookup(path, query, true).listCounter; }));
  }

  std::printf("%s lines=%zu bytes=%ld engine_vs_raw_read=%.2f speedup_vs_literal=%.0f\n", BaseName(path).c_str(),
              lines, size, a / c, b / a);
  std::fflush(stdout);
  std::fprintf(stderr, "  query \"%s\": engine %.2f ms, raw read %.2f ms, literal %.1f ms (fastest runs) [%zu]\n",
               query.c_str(), a * 1e3, c * 1e3, b * 1e3, sink % 10);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DICTIONARY...\n", argv[0]);
    return 2;
  }
  for (int i = 1; i < argc; ++i) Measure(argv[i]);
  return 0;
}
