// lexmoor-lookup-parts: where the time of a lookup goes, measured in one
// process with the program's own main dialog and engine, on RAdoro.txt in
// the current directory:
//   answer       the main dialog's lookup as every trigger runs it, until it
//                returns (what lexmoor-poke time measures from another
//                process, without the crossing between processes and the
//                reading of the clipboard): the result window is shown
//   last_row     the same, and the messages handled until every row is in
//   engine_start the lookup alone, the dictionary known, its rows not read
//   engine_rows  reading every row of that lookup
//   lists_ms     putting every row of it into five lists at once
// Each is the median of RUNS runs (default 11) after a first one, which
// reads the dictionary. With --first, where the time of that first lookup
// goes instead:
//   raw_read  one read of the whole file into memory
//   scan      the lookup by one pass over the file, keeping nothing
//   first     the first lookup of lookups that keep what a read learned, as
//             the program runs it (what the next lookups need is gathered later)
//
//   lexmoor-lookup-parts [--related] [--first] [--runs RUNS] WORD...
//
// prints one line per word:
//   <word> rows=<rows of list 1000> answer_ms=<a> last_row_ms=<l> engine_start_ms=<s> engine_rows_ms=<r>
//          lists_ms=<i>
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
#include "lookup/list_feed.h"
#include "lookup/list_filling.h"
#include "lookup/lookup.h"
#include "lookup/work_budget.h"
#include "result/list_box_control.h"

namespace {

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

struct Measurement {
  bool related = false;
  bool first = false;
  int runs = 11;
  std::vector<std::string> words;
  CWriteTranslateDialog* dialog = nullptr;
};
Measurement g_measurement;

// The median of `runs` timed calls after a first, untimed one.
double MedianMs(const std::function<void()>& run) {
  run();
  std::vector<double> ms;
  for (int i = 0; i < g_measurement.runs; ++i) {
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
      lookup::Drained(lookups.Start(word, g_measurement.related));
      first = std::min(first, Milliseconds(Ticks() - start));
    }
    std::printf("first %s raw_read_ms=%.1f scan_ms=%.1f first_ms=%.1f first_vs_raw_read=%.2f\n", word.c_str(),
                raw, scan, first, first / raw);
    std::fflush(stdout);
  }
}

// Rows already read, as a lookup's rows for the lists.
class RowsInMemory final : public lookup::PieceSource {
 public:
  explicit RowsInMemory(const std::vector<std::string>& rows) : m_rows(rows) {}
  bool Next(size_t most, std::vector<std::string_view>& texts, std::shared_ptr<const void>&) override {
    for (; most > 0 && m_next < m_rows.size(); --most) texts.push_back(m_rows[m_next++]);
    return true;
  }
  size_t Remaining() const override { return m_rows.size() - m_next; }

 private:
  const std::vector<std::string>& m_rows;
  size_t m_next = 0;
};

// Hidden lists of the result lists' style and font, to time putting rows in
// without disturbing what the program's own lists hold.
class ScratchLists {
 public:
  explicit ScratchLists(HWND results) {
    const HWND model = ::GetDlgItem(results, IDC_LIST0);
    const LONG_PTR style = ::GetWindowLongPtrW(model, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_VISIBLE);
    for (int i = 0; i < lookup::kListCount; ++i) {
      m_lists[i].m_hWnd = ::CreateWindowExW(0, L"LISTBOX", L"", static_cast<DWORD>(style), 0, 0, 200, 100, results,
                                            nullptr, nullptr, nullptr);
      if (!m_lists[i].m_hWnd) Fail("could not create a list");
      ::SendMessageW(m_lists[i].m_hWnd, WM_SETFONT, ::SendMessageW(model, WM_GETFONT, 0, 0), FALSE);
    }
  }
  ~ScratchLists() {
    for (CListBox& list : m_lists) ::DestroyWindow(list.m_hWnd);
  }
  ScratchLists(const ScratchLists&) = delete;
  ScratchLists& operator=(const ScratchLists&) = delete;

  // Every row of `result` into the lists, at once.
  void Fill(const lookup::LookupResult& result) {
    for (int i = 0; i < lookup::kListCount; ++i) {
      if (!result.lists[i]) continue;
      const lookup::ListFill& fill = *result.lists[i];
      lookup::ListFilling filling(m_controls[i]);
      filling.Start(fill.opened ? lookup::ListFeed(fill.count, std::make_unique<RowsInMemory>(fill.rows))
                                : lookup::ListFeed());
      lookup::WorkBudget everything = lookup::WorkBudget::Unlimited();
      filling.Fill(everything);
    }
  }

 private:
  std::array<CListBox, lookup::kListCount> m_lists;
  std::array<CListBoxControl, lookup::kListCount> m_controls{
      CListBoxControl(m_lists[0]), CListBoxControl(m_lists[1]), CListBoxControl(m_lists[2]),
      CListBoxControl(m_lists[3]), CListBoxControl(m_lists[4])};
};

// Handles messages, as the program's loop does, until every row is in.
void PumpUntilFilled(const CWriteTranslateDialog& dialog) {
  MSG msg;
  while (dialog.RowsPending() != 0) {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (dialog.RowsPending() != 0) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
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
  ScratchLists scratch(results);
  for (const std::string& word : g_measurement.words) {
    std::vector<double> answers, lastRows;
    for (int run = 0; run <= g_measurement.runs; ++run) {
      const LONGLONG start = Ticks();
      dialog.LookupAndShow(CString(word.c_str()));
      const LONGLONG answered = Ticks();
      PumpUntilFilled(dialog);
      if (run == 0) continue;  // it may read the dictionary
      answers.push_back(Milliseconds(answered - start));
      lastRows.push_back(Milliseconds(Ticks() - start));
    }
    engine.Lookup(word, g_measurement.related);  // reads the dictionary and keeps all it learns
    const double startMs = MedianMs([&] { engine.Start(word, g_measurement.related); });
    lookup::LookupResult result;
    const double rowsMs =
        MedianMs([&] { result = lookup::Drained(engine.Start(word, g_measurement.related)); }) - startMs;
    const double listsMs = MedianMs([&] { scratch.Fill(result); });
    std::printf("%s rows=%ld answer_ms=%.2f last_row_ms=%.2f engine_start_ms=%.2f engine_rows_ms=%.2f "
                "lists_ms=%.2f\n",
                word.c_str(), static_cast<long>(::SendMessageA(::GetDlgItem(results, IDC_LIST0), LB_GETCOUNT, 0, 0)),
                Median(answers), Median(lastRows), startMs, rowsMs, listsMs);
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
    } else if (std::strcmp(argv[first], "--runs") == 0 && first + 1 < argc && std::atoi(argv[first + 1]) > 0) {
      g_measurement.runs = std::atoi(argv[++first]);
    } else {
      break;
    }
  }
  if (argc <= first) {
    std::fprintf(stderr, "usage: lexmoor-lookup-parts [--related] [--first] [--runs RUNS] WORD...\n");
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
