// lexmoor-lookup-parts: where the time of a lookup goes, measured in one
// process with the program's own main dialog and engine, on RAdoro.txt in
// the current directory:
//   answer  the main dialog's lookup as every trigger runs it (what
//           lexmoor-poke time measures from another process, without the
//           crossing between processes and the reading of the clipboard)
//   engine  the lookup alone, the dictionary known
//   rows    inserting the result's rows into the result lists, with the
//           redrawing turned off and on as the answer does
//   rest    answer - engine - rows: sizing the lists, placing and showing
//           the result window, bringing it to the foreground
// Each is the median of several runs after a first one, which reads the
// dictionary. With --first, where the time of that first lookup goes instead:
//   raw_read  one read of the whole file into memory
//   scan      the lookup by one pass over the file, keeping nothing
//   first     the first lookup of lookups that keep what a read learned
//
//   lexmoor-lookup-parts [--related] [--first] WORD...
//
// prints one line per word:
//   <word> rows=<rows of list 1000> answer_ms=<a> engine_ms=<e> rows_ms=<r> rest_ms=<a-e-r>
// or, with --first:
//   first <word> raw_read_ms=<c> scan_ms=<s> first_ms=<f> first_vs_raw_read=<f/c>
// Every failure is reported with a message and exit status 1; bad usage exits with 2.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/write_translate_dialog.h"
#include "dictionary/dictionary_line.h"
#include "dictionary/dictionary_paths.h"
#include "dictionary/read_only_file.h"
#include "framework/code_page.h"
#include "framework/undrawn_while_shown.h"
#include "framework/win_app.h"
#include "lookup/dictionary_lookups.h"
#include "lookup/lookup.h"

namespace {

constexpr int kRuns = 11;
constexpr char kResultWindowTitle[] = "Vocapop";

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "lexmoor-lookup-parts: %s\n", what.c_str());
  std::exit(1);
}

LONGLONG Ticks() {
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double Milliseconds(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return 1e3 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The median of `runs` timed calls after a first, untimed one.
double MedianMs(const std::function<void()>& run) {
  run();
  std::vector<double> ms;
  for (int i = 0; i < kRuns; ++i) {
    const LONGLONG start = Ticks();
    run();
    ms.push_back(Milliseconds(Ticks() - start));
  }
  return Median(ms);
}

HWND ResultWindowOf(HWND main) {
  for (HWND w = ::FindWindowExA(nullptr, nullptr, "#32770", kResultWindowTitle); w;
       w = ::FindWindowExA(nullptr, w, "#32770", kResultWindowTitle)) {
    if (::GetWindow(w, GW_OWNER) == main) return w;
  }
  Fail("the result window was not found");
}

struct Measurement {
  bool related = false;
  bool first = false;
  std::vector<std::string> words;
  CWriteTranslateDialog* dialog = nullptr;
};
Measurement g_measurement;

// One read of the whole dictionary file into memory; the milliseconds it took.
double RawReadMs() {
  const HANDLE file = ::CreateFileA(dictionary::kDictionaryFile, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail(std::string("cannot open ") + dictionary::kDictionaryFile);
  LARGE_INTEGER size;
  ::GetFileSizeEx(file, &size);
  constexpr DWORD kBlock = 1 << 20;
  std::vector<char> bytes(static_cast<size_t>(size.QuadPart) + kBlock);
  const LONGLONG start = Ticks();
  DWORD got = 0;
  size_t total = 0;
  while (::ReadFile(file, bytes.data() + total, kBlock, &got, nullptr) && got > 0) total += got;
  const double ms = Milliseconds(Ticks() - start);
  ::CloseHandle(file);
  if (total != static_cast<size_t>(size.QuadPart)) Fail("the dictionary could not be read whole");
  return ms;
}

// Where the time of a first lookup goes; the fastest of a few runs each.
void MeasureFirst() {
  constexpr int kFirstRuns = 3;
  dictionary::NativeReadOnlyFiles files;
  for (const std::string& word : g_measurement.words) {
    double raw = 1e300, scan = 1e300, first = 1e300;
    for (int i = 0; i < kFirstRuns; ++i) {
      raw = std::min(raw, RawReadMs());
      LONGLONG start = Ticks();
      lookup::Lookup(dictionary::kDictionaryFile, word, g_measurement.related);
      scan = std::min(scan, Milliseconds(Ticks() - start));
      lookup::DictionaryLookups lookups(dictionary::kDictionaryFile, files);
      start = Ticks();
      lookups.Lookup(word, g_measurement.related);
      first = std::min(first, Milliseconds(Ticks() - start));
    }
    std::printf("first %s raw_read_ms=%.1f scan_ms=%.1f first_ms=%.1f first_vs_raw_read=%.2f\n", word.c_str(),
                raw, scan, first, first / raw);
    std::fflush(stdout);
  }
}

void Measure() {
  if (g_measurement.first) {
    MeasureFirst();
    g_measurement.dialog->EndDialog(IDCANCEL);
    return;
  }
  CWriteTranslateDialog& dialog = *g_measurement.dialog;
  ::SendMessageA(dialog.GetDlgItem(IDC_RELATED), BM_SETCHECK,
                 g_measurement.related ? BST_CHECKED : BST_UNCHECKED, 0);
  const HWND results = ResultWindowOf(dialog.m_hWnd);
  dictionary::NativeReadOnlyFiles files;
  lookup::DictionaryLookups engine(dictionary::kDictionaryFile, files);
  for (const std::string& word : g_measurement.words) {
    const double answer = MedianMs([&] { dialog.LookupAndShow(CString(word.c_str())); });
    lookup::LookupResult result;
    const double lookupMs = MedianMs([&] { result = engine.Lookup(word, g_measurement.related); });
    // The list messages of the answer, each kind timed on its own; the rows
    // converted and kept beside the list as the program's lists keep them.
    std::array<double, 3> steps{};  // redraw off and on, emptying, inserting
    std::array<std::vector<double>, 3> stepRuns;
    std::vector<std::string> kept;
    const double rows = MedianMs([&] {
      const fw::UndrawnWhileShown undrawn(results);
      LONGLONG at = Ticks();
      auto step = [&](int kind) {
        const LONGLONG now = Ticks();
        steps[kind] += Milliseconds(now - at);
        at = now;
      };
      steps.fill(0);
      for (int i = 0; i < lookup::kListCount; ++i) {
        if (!result.lists[i]) continue;
        const HWND list = ::GetDlgItem(results, IDC_LIST0 + i);
        ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        step(0);
        ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
        kept.clear();
        ::SendMessageA(list, LB_INITSTORAGE, result.lists[i]->rows.size(), 0);
        step(1);
        for (const std::string& row : result.lists[i]->rows) {
          const std::wstring text = fw::ToUnicode(row, dictionary::kDictionaryCodePage);
          ::SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(text.c_str()));
          kept.push_back(row);
        }
        step(2);
        ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        step(0);
      }
      for (size_t kind = 0; kind < steps.size(); ++kind) stepRuns[kind].push_back(steps[kind]);
    });
    std::printf(
        "%s rows=%ld answer_ms=%.2f engine_ms=%.2f rows_ms=%.2f (redraw %.2f, emptying %.2f, inserting %.2f) "
        "rest_ms=%.2f\n",
        word.c_str(), static_cast<long>(::SendMessageA(::GetDlgItem(results, IDC_LIST0), LB_GETCOUNT, 0, 0)),
        answer, lookupMs, rows, Median(stepRuns[0]), Median(stepRuns[1]), Median(stepRuns[2]),
        answer - lookupMs - rows);
    std::fflush(stdout);
  }
  dialog.EndDialog(IDCANCEL);
}

void CALLBACK MeasureOnce(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  Measure();
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  for (; first < argc && argv[first][0] == '-'; ++first) {
    if (std::strcmp(argv[first], "--related") == 0) {
      g_measurement.related = true;
    } else if (std::strcmp(argv[first], "--first") == 0) {
      g_measurement.first = true;
    } else {
      break;
    }
  }
  if (argc <= first) {
    std::fprintf(stderr, "usage: lexmoor-lookup-parts [--related] [--first] WORD...\n");
    return 2;
  }
  g_measurement.words.assign(argv + first, argv + argc);

  ::InitCommonControls();
  CWinApp app;
  app.m_hInstance = ::GetModuleHandleA(nullptr);
  CWriteTranslateDialog dialog;
  app.m_pMainWnd = &dialog;
  g_measurement.dialog = &dialog;
  // The measurement runs inside the dialog's own modal loop, as lookups do in the program.
  ::SetTimer(nullptr, 0, 1, &MeasureOnce);
  if (dialog.DoModal() != IDCANCEL) Fail("the main dialog could not be created");
  app.m_pMainWnd = nullptr;
  return 0;
}
