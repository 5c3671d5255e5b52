// Measures, for each dictionary file given, in one run:
//   a  the engine's lookup that tries the most words: the query, nine stems
//      and seven related candidates, seventeen words, all found in one read;
//   b  the literal reference trying the same seventeen words, one pass each;
//   c  one raw read of the whole file into a reused buffer plus a count of
//      its lines with memchr;
// and, for lookups one after another that keep what a read learned, as the
// program runs them:
//   f  the same lookup on a file not seen before, every row read (what the
//      next lookups need of the file is gathered afterwards, between the
//      program's messages);
//   i  gathering that afterwards, all at once;
//   w  the same lookup once the file is known;
//   k  the bytes kept between lookups;
// and prints two lines per dictionary:
//   <name> lines=<n> bytes=<n> engine_vs_raw_read=<a/c> speedup_vs_literal=<b/a>
//   scale <name> lines=<n> bytes=<n> first_vs_raw_read=<f/c> index_vs_raw_read=<i/c>
//         warm_speedup_vs_rescan=<a/w> kept_bytes_per_file_byte=<k/bytes>
// (the second on one line). Each figure is the fastest of several runs (the
// machine is shared, and the fastest run is the one least disturbed); details
// go to stderr. With --scale-only the first line and its literal reading,
// which takes minutes on a large file, are left out.
//
//   lookup_bench [--scale-only] DICTIONARY...
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "dictionary/read_only_file.h"
#include "lookup/dictionary_lookups.h"
#include "lookup/list_feed.h"
#include "lookup/lookup.h"
#include "lookup/work_budget.h"
#include "tests/support/reference_lookup.h"

namespace {

constexpr int kFastRuns = 31;
// A gigabyte's runs each take seconds.
constexpr int kLargeFileRuns = 5;
constexpr long kLargeFile = 256L << 20;
constexpr int kLiteralRuns = 3;
constexpr int kWarmRunsPerRun = 5;
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

// Lookups that keep what they read need a file written before the
// timestamp granularity; a file just made is waited for.
void WaitUntilKeepable(const std::string& path, dictionary::ReadOnlyFiles& files) {
  const std::unique_ptr<dictionary::ReadOnlyFile> file = files.Open(path);
  if (!file) Fail("cannot open " + path);
  const dictionary::FileTime age = files.Now() - file->Stamp().lastWrite;
  if (age < dictionary::kTimestampGranularity) {
    std::this_thread::sleep_for(
        std::chrono::microseconds((dictionary::kTimestampGranularity - age) / 10 + 1000));
  }
}

bool SameLists(const lookup::LookupResult& a, const lookup::LookupResult& b) {
  if (a.listCounter != b.listCounter || a.largestCount != b.largestCount) return false;
  for (size_t i = 0; i < a.lists.size(); ++i) {
    if (a.lists[i].has_value() != b.lists[i].has_value()) return false;
    if (a.lists[i] && a.lists[i]->rows != b.lists[i]->rows) return false;
  }
  return true;
}

void Measure(const std::string& path, bool scaleOnly, int runs) {
  const long size = FileSize(path);
  const size_t capacity = static_cast<size_t>(size) + 1;
  std::unique_ptr<char[]> buffer(new char[capacity]);
  const size_t lines = ReadAndCountLines(path, buffer.get(), capacity);

  const std::string query = WorstCaseQuery(path);
  const lookup::LookupResult engine = lookup::Lookup(path, query, true);
  if (!scaleOnly) {
    int passes = 0;
    lookup::LookupResult literal = lookup::reference::Lookup(path, query, true, &passes);
    if (passes != kWordsOfTheWorstCase) {
      Fail(path + ": the query \"" + query + "\" tries " + std::to_string(passes) + " words, not 17");
    }
    if (!SameLists(engine, literal)) {
      Fail(path + ": the engine and the literal reference disagree on \"" + query + "\"");
    }
  }

  dictionary::NativeReadOnlyFiles files;
  WaitUntilKeepable(path, files);
  lookup::DictionaryLookups known(path, files);
  if (!SameLists(known.Lookup(query, true), engine) || !SameLists(known.Lookup(query, true), engine)) {
    Fail(path + ": the lookups that keep what they read disagree with the engine on \"" + query + "\"");
  }
  if (known.KeptBytes() == 0) Fail(path + ": nothing of the read was kept");

  // The runs alternate, so that all see the same machine.
  double a = 1e9, b = 1e9, c = 1e9, f = 1e9, x = 1e9, w = 1e9;
  size_t sink = 0;
  for (int i = 0; i < runs; ++i) {
    a = std::min(a, Seconds([&] { sink += lookup::Lookup(path, query, true).lists[0]->rows.size(); }));
    c = std::min(c, Seconds([&] { sink += ReadAndCountLines(path, buffer.get(), capacity); }));
    {
      lookup::DictionaryLookups unknown(path, files);
      f = std::min(f, Seconds([&] { sink += lookup::Drained(unknown.Start(query, true)).lists[0]->rows.size(); }));
      lookup::WorkBudget everything = lookup::WorkBudget::Unlimited();
      x = std::min(x, Seconds([&] {
                     while (unknown.ContinueIndex(everything)) {
                     }
                   }));
      if (unknown.KeptBytes() != known.KeptBytes()) Fail(path + ": the index gathered afterwards differs");
    }
    for (int j = 0; j < kWarmRunsPerRun; ++j) {
      w = std::min(w, Seconds([&] { sink += known.Lookup(query, true).lists[0]->rows.size(); }));
    }
  }
  if (!scaleOnly) {
    for (int i = 0; i < kLiteralRuns; ++i) {
      b = std::min(b, Seconds([&] { sink += lookup::reference::Lookup(path, query, true).listCounter; }));
    }
    std::printf("%s lines=%zu bytes=%ld engine_vs_raw_read=%.2f speedup_vs_literal=%.0f\n",
                BaseName(path).c_str(), lines, size, a / c, b / a);
  }
  std::printf(
      "scale %s lines=%zu bytes=%ld first_vs_raw_read=%.2f index_vs_raw_read=%.2f warm_speedup_vs_rescan=%.0f "
      "kept_bytes_per_file_byte=%.3f\n",
      BaseName(path).c_str(), lines, size, f / c, x / c, a / w, static_cast<double>(known.KeptBytes()) / size);
  std::fflush(stdout);
  std::fprintf(stderr,
               "  query \"%s\": engine %.2f ms, raw read %.2f ms, literal %s ms; first lookup %.2f ms, "
               "index afterwards %.2f ms, known file %.3f ms, kept %zu bytes (fastest runs) [%zu]\n",
               query.c_str(), a * 1e3, c * 1e3, scaleOnly ? "-" : std::to_string(b * 1e3).c_str(), f * 1e3,
               x * 1e3, w * 1e3, known.KeptBytes(), sink % 10);
}

}  // namespace

int main(int argc, char** argv) {
  const bool scaleOnly = argc > 1 && std::strcmp(argv[1], "--scale-only") == 0;
  const int first = scaleOnly ? 2 : 1;
  if (argc <= first) {
    std::fprintf(stderr, "usage: %s [--scale-only] DICTIONARY...\n", argv[0]);
    return 2;
  }
  for (int i = first; i < argc; ++i) Measure(argv[i], scaleOnly, FileSize(argv[i]) >= kLargeFile ? kLargeFileRuns : kFastRuns);
  return 0;
}
