// lexmoor-draw-rows: what drawing its rows costs the result window, against a
// list the system draws, in one process with the program's own windows, on
// RAdoro.txt in the current directory:
//   lexmoor-draw-rows WORD...
// For each word, looked up as the program does, list 1000 and a list the system
// draws, holding the same rows in the same font, size and styles, are each
// redrawn whole, in turns; prints the medians and their ratio:
//   <word> rows=<n> drawn_us=<a> system_us=<s> drawn_vs_system=<a/s>
// Every failure is reported with a message and exit status 1; bad usage exits with 2.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/write_translate_dialog.h"
#include "framework/win_app.h"

namespace {

constexpr int kRuns = 51;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "lexmoor-draw-rows: %s\n", what);
  std::exit(1);
}

double Microseconds(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return 1e6 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

double RedrawUs(HWND list) {
  LARGE_INTEGER start, end;
  ::QueryPerformanceCounter(&start);
  ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  ::QueryPerformanceCounter(&end);
  return Microseconds(end.QuadPart - start.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// A list the system draws, beside `drawn` in its window, with its size, rows,
// font and styles but the owner-drawn one. The window is widened to show both,
// in place of the other lists.
HWND SystemDrawnCopy(HWND drawn) {
  RECT rect;
  ::GetWindowRect(drawn, &rect);
  HWND window = ::GetParent(drawn);
  ::SetWindowPos(window, nullptr, 0, 0, 3 * (rect.right - rect.left), 2 * (rect.bottom - rect.top),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (int id = IDC_LIST1; id <= IDC_LIST4; ++id) ::ShowWindow(::GetDlgItem(window, id), SW_HIDE);
  ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  ::OffsetRect(&rect, rect.right - rect.left, 0);
  const auto style = static_cast<DWORD>(::GetWindowLongW(drawn, GWL_STYLE)) & ~LBS_OWNERDRAWFIXED;
  HWND copy =
      ::CreateWindowExW(::GetWindowLongW(drawn, GWL_EXSTYLE), L"LISTBOX", L"", style, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, window, nullptr, nullptr, nullptr);
  if (!copy) Fail("the list to compare with could not be made");
  ::SendMessageW(copy, WM_SETFONT, ::SendMessageW(drawn, WM_GETFONT, 0, 0), FALSE);
  const int count = static_cast<int>(::SendMessageW(drawn, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::wstring row(static_cast<size_t>(::SendMessageW(drawn, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    row.resize(
        static_cast<size_t>(::SendMessageW(drawn, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()))));
    ::SendMessageW(copy, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(row.c_str()));
  }
  ::SendMessageW(copy, LB_SETHORIZONTALEXTENT, ::SendMessageW(drawn, LB_GETHORIZONTALEXTENT, 0, 0), 0);
  return copy;
}

std::vector<std::string> g_words;
CWriteTranslateDialog* g_dialog = nullptr;

void CALLBACK MeasureOnce(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  HWND window = ::FindWindowExA(nullptr, nullptr, "#32770", "Vocapop");
  if (!window || ::GetWindow(window, GW_OWNER) != g_dialog->m_hWnd) Fail("the result window was not found");
  HWND list = ::GetDlgItem(window, IDC_LIST0);
  for (const std::string& word : g_words) {
    g_dialog->LookupAndShow(CString(word.c_str()));
    HWND copy = SystemDrawnCopy(list);
    std::vector<double> drawn, system;
    for (int i = 0; i < kRuns; ++i) {
      drawn.push_back(RedrawUs(list));
      system.push_back(RedrawUs(copy));
    }
    ::DestroyWindow(copy);
    std::printf("%s rows=%ld drawn_us=%.0f system_us=%.0f drawn_vs_system=%.2f\n", word.c_str(),
                static_cast<long>(::SendMessageW(list, LB_GETCOUNT, 0, 0)), Median(drawn), Median(system),
                Median(drawn) / Median(system));
    std::fflush(stdout);
  }
  g_dialog->EndDialog(IDCANCEL);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: lexmoor-draw-rows WORD...\n");
    return 2;
  }
  g_words.assign(argv + 1, argv + argc);
  ::InitCommonControls();
  CWinApp app;
  app.m_hInstance = ::GetModuleHandleA(nullptr);
  CWriteTranslateDialog dialog;
  app.m_pMainWnd = &dialog;
  g_dialog = &dialog;
  // Measured inside the dialog's own modal loop, where the program draws.
  ::SetTimer(nullptr, 0, 1, &MeasureOnce);
  if (dialog.DoModal() != IDCANCEL) Fail("the main dialog could not be created");
  app.m_pMainWnd = nullptr;
  return 0;
}
