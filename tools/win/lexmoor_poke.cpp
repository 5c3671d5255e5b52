// lexmoor-poke: drives a running Lexmoor from another process, the way other
// programs and the user's keys reach it. For the screenshot and for trying the
// program by hand under Wine.
//
//   lexmoor-poke wait                 wait until the main dialog exists and has hidden itself
//   lexmoor-poke show                 a left click on the tray icon: shows the main dialog
//   lexmoor-poke cursor X Y           move the mouse cursor (lookups pop up there)
//   lexmoor-poke type WORD            type WORD into the main dialog's edit box
//   lexmoor-poke translate            press TRANSLATE
//   lexmoor-poke related on|off       set the related-words check box
//   lexmoor-poke copy WORD            put WORD on the clipboard
//   lexmoor-poke hotkey [MS]          hold Ctrl+NonConvert for MS milliseconds (default 300)
//   lexmoor-poke lookup-clipboard     send the look-up-the-clipboard message; prints its answer
//   lexmoor-poke time WORD [RUNS]     put WORD on the clipboard and time the main dialog's answer to that
//                                     message RUNS times (default 11): the whole lookup, list filling and
//                                     placement run inside it; prints "rows=<rows of list 1000>
//                                     first_ms=<the first answer> median_ms=<the median of the others>"
//   lexmoor-poke fill WORD            once Lexmoor is idle, put WORD on the clipboard, hide the result
//                                     window, and send the look-up-the-clipboard message while another
//                                     thread pings the main dialog every millisecond; prints "rows=<rows of list 1000>
//                                     answer_ms=<the message's answer> shown_ms=<until the result window
//                                     showed> last_row_ms=<until every row was in> unanswered_ms=<the
//                                     longest ping> memory_mb=<Lexmoor's committed memory before>-><after>
//                                     peak_mb=<its peak so far>"
//   lexmoor-poke idle                 wait until Lexmoor answers messages, every row is in its lists and
//                                     the dictionary is indexed
//   lexmoor-poke rows [N]             print the rows of result list 1000+N (default 0), one a line,
//                                     with TAB, CR and LF written as \t, \r and \n
//   lexmoor-poke window               print the result window's state: visible|hidden LEFT TOP RIGHT BOTTOM
//   lexmoor-poke dblclick ROW [ctrl]  double-click row ROW of result list 1000, Ctrl held if asked
//   lexmoor-poke pronounce TEXT       wait for the pronunciation dialog, enter TEXT and press OK
//   lexmoor-poke pronounce --escape   wait for the pronunciation dialog and press Escape
//   lexmoor-poke close                send command 1002: the program ends
//   lexmoor-poke box TITLE            wait for a message box titled TITLE (another program's, such as
//                                     lexmoor-import.exe's), print its text in UTF-8 and press its OK
//   lexmoor-poke cover L T R B        show a window of this program titled "lexmoor-poke cover" over
//                                     that rectangle, in front, as the user's program would be; it
//                                     stays until it is closed (WM_CLOSE) or for 30 s
//   lexmoor-poke dialogs              print the state of every main dialog, one a line: visible|hidden
//   lexmoor-poke message              wait for Lexmoor's message box, print its text (UTF-8) and press OK
//   lexmoor-poke version FILE         print FILE's product version and description, TAB between (UTF-8)
//
// Texts on the command line are taken as Unicode, whatever the ANSI code page,
// and handed on as Unicode. Every failure is reported with a message and exit
// status 1; bad usage exits with 2.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include "framework/win32.h"
// After windows.h: the process memory counters.
#include <psapi.h>
#include "res/private_messages.h"
#include "res/resource.h"

namespace {

constexpr DWORD kWaitMs = 10000;
constexpr DWORD kPollMs = 50;
constexpr DWORD kDefaultHoldMs = 300;
constexpr int kDefaultTimedRuns = 11;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "lexmoor-poke: %s\n", what);
  std::exit(1);
}

HWND MainDialog() {
  HWND dialog = ::FindWindowA(nullptr, MAIN_DIALOG_TITLE);
  if (!dialog) Fail("no window \"" MAIN_DIALOG_TITLE "\": is Lexmoor running?");
  return dialog;
}

void Wait() {
  for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
    HWND dialog = ::FindWindowA(nullptr, MAIN_DIALOG_TITLE);
    if (dialog && !::IsWindowVisible(dialog)) return;
    ::Sleep(kPollMs);
  }
  Fail("Lexmoor's main dialog did not appear and hide itself within 10 s");
}

void SendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (::SendInput(1, &input, sizeof input) != 1) Fail("SendInput refused a key");
}

void SendLeftButton(bool up) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
  if (::SendInput(1, &input, sizeof input) != 1) Fail("SendInput refused a mouse button");
}

void Show() {
  HWND dialog = MainDialog();
  SendLeftButton(false);
  ::Sleep(kPollMs);
  ::SendMessageA(dialog, WM_TRAY_CALLBACK, 0, WM_LBUTTONDOWN);
  SendLeftButton(true);
  if (!::IsWindowVisible(dialog)) Fail("the main dialog did not show");
}

void Type(const wchar_t* word) {
  HWND edit = ::GetDlgItem(MainDialog(), IDC_WORD);
  // Another process's edit box takes its text only through the message itself.
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(word));
}

void Copy(const wchar_t* word) {
  const size_t size = (std::wcslen(word) + 1) * sizeof(wchar_t);
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) Fail("out of memory for the clipboard text");
  std::memcpy(::GlobalLock(block), word, size);
  ::GlobalUnlock(block);
  HWND owner = ::GetConsoleWindow() ? ::GetConsoleWindow() : ::GetDesktopWindow();
  bool opened = false;
  for (DWORD waited = 0; waited < kWaitMs && !opened; waited += kPollMs) {
    opened = ::OpenClipboard(owner) != FALSE;
    if (!opened) ::Sleep(kPollMs);
  }
  if (!opened) {
    ::GlobalFree(block);
    Fail("the clipboard stayed held by another program");
  }
  ::EmptyClipboard();
  const bool set = ::SetClipboardData(CF_UNICODETEXT, block) != nullptr;
  ::CloseClipboard();
  if (!set) {
    ::GlobalFree(block);
    Fail("the clipboard refused the text");
  }
}

void HotKey(DWORD holdMs) {
  MainDialog();
  SendKey(VK_CONTROL, false);
  SendKey(VK_NONCONVERT, false);
  ::Sleep(holdMs);
  SendKey(VK_NONCONVERT, true);
  SendKey(VK_CONTROL, true);
}

HWND ResultWindow() {
  // The result window is the main dialog's owned popup titled "Vocapop".
  HWND main = MainDialog();
  for (HWND w = ::FindWindowExA(nullptr, nullptr, "#32770", "Vocapop"); w;
       w = ::FindWindowExA(nullptr, w, "#32770", "Vocapop"))
    if (::GetWindow(w, GW_OWNER) == main) return w;
  Fail("the result window was not found");
}

HWND ResultList(int index) {
  if (index < 0 || index > 4) Fail("a result list is numbered 0 to 4");
  HWND list = ::GetDlgItem(ResultWindow(), IDC_LIST0 + index);
  if (!list) Fail("the result list was not found");
  return list;
}

// Rows are read in their Unicode form: the ANSI form of the message does not
// cross processes intact. Converted back to code page 932, as the program holds them.
void PrintRows(int index) {
  HWND list = ResultList(index);
  const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, i, 0);
    std::wstring row(static_cast<size_t>(length) + 1, L'\0');
    row.resize(
        static_cast<size_t>(::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()))));
    const int bytes =
        ::WideCharToMultiByte(932, 0, row.data(), static_cast<int>(row.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(932, 0, row.data(), static_cast<int>(row.size()), text.data(), bytes, nullptr,
                          nullptr);
    for (char c : text) {
      if (c == '\t')
        std::fputs("\\t", stdout);
      else if (c == '\n')
        std::fputs("\\n", stdout);
      else if (c == '\r')
        std::fputs("\\r", stdout);
      else
        std::fputc(c, stdout);
    }
    std::fputc('\n', stdout);
  }
}

void WaitUntilIdle(HWND dialog);

// The first answer may read the dictionary that the others need not.
void TimeAnswers(const wchar_t* word, int runs) {
  if (runs < 2) Fail("time needs at least two runs");
  HWND dialog = MainDialog();
  Copy(word);
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    const LRESULT answer = ::SendMessageA(dialog, WM_LOOKUP_CLIPBOARD, 0, 0);
    ::QueryPerformanceCounter(&end);
    if (answer != 1) Fail("the main dialog did not answer the look-up-the-clipboard message");
    ms.push_back(1e3 * static_cast<double>(end.QuadPart - start.QuadPart) /
                 static_cast<double>(frequency.QuadPart));
  }
  std::vector<double> others(ms.begin() + 1, ms.end());
  std::sort(others.begin(), others.end());
  const size_t middle = others.size() / 2;
  const double median = others.size() % 2 ? others[middle] : (others[middle - 1] + others[middle]) / 2;
  WaitUntilIdle(dialog);  // a long list fills on after the answer
  std::printf("rows=%ld first_ms=%.1f median_ms=%.1f\n",
              static_cast<long>(::SendMessageW(ResultList(0), LB_GETCOUNT, 0, 0)), ms[0], median);
}

double NowMs() {
  LARGE_INTEGER now, frequency;
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return 1e3 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Lexmoor's own process, for its memory.
class LexmoorProcess {
 public:
  LexmoorProcess() {
    DWORD id = 0;
    ::GetWindowThreadProcessId(MainDialog(), &id);
    m_process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
    if (!m_process) Fail("could not open Lexmoor's process");
  }
  ~LexmoorProcess() { ::CloseHandle(m_process); }
  LexmoorProcess(const LexmoorProcess&) = delete;
  LexmoorProcess& operator=(const LexmoorProcess&) = delete;

  PROCESS_MEMORY_COUNTERS Memory() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(m_process, &counters, sizeof counters))
      Fail("could not read Lexmoor's memory counters");
    return counters;
  }

 private:
  HANDLE m_process;
};

constexpr double kMegabyte = 1024.0 * 1024.0;
constexpr UINT kPingTimeoutMs = 120000;

// Rows still to go into the result lists (and, `withIndexing`, whether the
// dictionary is still being indexed); 0 also from a Lexmoor that fills them
// within the lookup, which does not know the message.
LRESULT RowsPending(HWND dialog, double* roundTripMs, bool withIndexing = false) {
  const double start = NowMs();
  DWORD_PTR pending = 0;
  if (!::SendMessageTimeoutA(dialog, WM_ROWS_PENDING, withIndexing, 0, SMTO_NORMAL, kPingTimeoutMs, &pending))
    Fail("the main dialog did not answer within two minutes");
  if (roundTripMs) *roundTripMs = NowMs() - start;
  return static_cast<LRESULT>(pending);
}

// Until every row is in and the dictionary is indexed.
void WaitUntilIdle(HWND dialog) {
  for (DWORD waited = 0; RowsPending(dialog, nullptr, true) != 0; waited += kPollMs) {
    if (waited > 10 * kWaitMs) Fail("Lexmoor was still filling its lists or indexing after 100 s");
    ::Sleep(kPollMs);
  }
}

void TimeFill(const wchar_t* word) {
  HWND dialog = MainDialog();
  HWND results = ResultWindow();
  const LexmoorProcess lexmoor;
  WaitUntilIdle(dialog);
  Copy(word);
  ::PostMessageA(results, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  for (DWORD waited = 0; ::IsWindowVisible(results); waited += kPollMs) {
    if (waited > kWaitMs) Fail("the result window did not hide");
    ::Sleep(kPollMs);
  }
  const PROCESS_MEMORY_COUNTERS before = lexmoor.Memory();

  std::atomic<bool> answered{false};
  std::atomic<bool> filled{false};
  double answerMs = 0, lastRowMs = 0, unansweredMs = 0;
  const double start = NowMs();
  std::thread ping([&] {
    while (!filled) {
      // Only an answer to a ping sent after the lookup's own answer tells the rows are all in.
      const bool afterLookup = answered;
      double roundTrip = 0;
      const LRESULT pending = RowsPending(dialog, &roundTrip);
      unansweredMs = std::max(unansweredMs, roundTrip);
      if (afterLookup && pending == 0) {
        lastRowMs = NowMs() - start;
        filled = true;
      }
      ::Sleep(1);  // leaves the processor to Lexmoor; the longest wait is hardly changed
    }
  });
  std::thread lookup([&] {
    const LRESULT answer = ::SendMessageA(dialog, WM_LOOKUP_CLIPBOARD, 0, 0);
    answerMs = NowMs() - start;
    answered = true;
    if (answer != 1) Fail("the main dialog did not answer the look-up-the-clipboard message");
  });
  // The window's style is read without a message: this works while Lexmoor is busy.
  while (!::IsWindowVisible(results) && !filled) ::Sleep(1);
  const double shownMs = ::IsWindowVisible(results) ? NowMs() - start : -1;
  lookup.join();
  ping.join();
  const PROCESS_MEMORY_COUNTERS after = lexmoor.Memory();
  std::printf("rows=%ld answer_ms=%.0f shown_ms=%.0f last_row_ms=%.0f unanswered_ms=%.0f memory_mb=%.0f->%.0f peak_mb=%.0f\n",
              static_cast<long>(::SendMessageW(ResultList(0), LB_GETCOUNT, 0, 0)), answerMs, shownMs, lastRowMs,
              unansweredMs, before.PagefileUsage / kMegabyte, after.PagefileUsage / kMegabyte,
              after.PeakPagefileUsage / kMegabyte);
}


void PrintWindow() {
  HWND window = ResultWindow();
  RECT rect;
  ::GetWindowRect(window, &rect);
  std::printf("%s %ld %ld %ld %ld\n", ::IsWindowVisible(window) ? "visible" : "hidden",
              static_cast<long>(rect.left), static_cast<long>(rect.top), static_cast<long>(rect.right),
              static_cast<long>(rect.bottom));
}

void DoubleClick(int row, bool ctrl) {
  HWND list = ResultList(0);
  const LRESULT top = ::SendMessageA(list, LB_GETTOPINDEX, 0, 0);
  const LRESULT height = ::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
  if (height <= 0) Fail("the result list has no rows");
  POINT point{10, static_cast<LONG>((row - top) * height + height / 2)};
  ::ClientToScreen(list, &point);
  ::SetCursorPos(point.x, point.y);
  ::SetForegroundWindow(::GetAncestor(list, GA_ROOT));
  ::Sleep(300);  // lets the focus settle, or the keys below are lost
  if (ctrl) SendKey(VK_CONTROL, false);
  for (int click = 0; click < 2; ++click) {
    SendLeftButton(false);
    SendLeftButton(true);
  }
  ::Sleep(300);
  if (ctrl) SendKey(VK_CONTROL, true);
}

void Pronounce(const wchar_t* text, bool escape) {
  HWND dialog = nullptr;
  for (DWORD waited = 0; waited < kWaitMs && !dialog; waited += kPollMs) {
    dialog = ::FindWindowW(nullptr, L"発音記号の登録をしましょう");
    if (!dialog || !::IsWindowVisible(dialog)) {
      dialog = nullptr;
      ::Sleep(kPollMs);
    }
  }
  if (!dialog) Fail("the pronunciation dialog did not appear within 10 s");
  if (escape) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  } else {
    ::SendMessageW(::GetDlgItem(dialog, IDC_PRONUNCIATION), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  }
  for (DWORD waited = 0; waited < kWaitMs; waited += kPollMs) {
    if (!::IsWindow(dialog)) return;
    ::Sleep(kPollMs);
  }
  Fail("the pronunciation dialog stayed open");
}

void PrintDialogs() {
  for (HWND w = ::FindWindowExA(nullptr, nullptr, "#32770", MAIN_DIALOG_TITLE); w;
       w = ::FindWindowExA(nullptr, w, "#32770", MAIN_DIALOG_TITLE))
    std::puts(::IsWindowVisible(w) ? "visible" : "hidden");
}

constexpr UINT kCoverMaxMs = 30000;

LRESULT CALLBACK CoverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcA(window, message, wParam, lParam);
}

void Cover(const RECT& area) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &CoverProc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
  windowClass.lpszClassName = "LexmoorPokeCover";
  if (!::RegisterClassA(&windowClass)) Fail("could not register the cover window's class");
  HWND window = ::CreateWindowExA(0, windowClass.lpszClassName, "lexmoor-poke cover", WS_POPUP | WS_VISIBLE,
                                  area.left, area.top, area.right - area.left, area.bottom - area.top,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
  if (!window) Fail("could not create the cover window");
  ::SetForegroundWindow(window);
  ::SetTimer(window, 1, kCoverMaxMs, nullptr);
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER) {
      ::DestroyWindow(window);
      continue;
    }
    ::DispatchMessageA(&msg);
  }
}

// Prints the text of a message box titled `title` once one shows (as UTF-8;
// its text is its longest static control's) and presses its OK.
void PrintUtf8(const std::wstring& text) {
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                          nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), bytes, nullptr,
                        nullptr);
  std::printf("%s\n", utf8.c_str());
  std::fflush(stdout);
}

void Box(const wchar_t* title) {
  constexpr DWORD kBoxWaitMs = 60000;  // the importer's box comes when a whole import is done
  HWND box = nullptr;
  for (DWORD waited = 0; !box && waited < kBoxWaitMs; waited += kPollMs) {
    box = ::FindWindowW(L"#32770", title);
    if (box && !::IsWindowVisible(box)) box = nullptr;
    if (!box) ::Sleep(kPollMs);
  }
  if (!box) Fail("no message box with that title appeared within 60 s");
  std::wstring text;
  for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[16] = L"";
    ::GetClassNameW(child, className, 16);
    if (std::wstring(className) != L"Static") continue;
    const LRESULT length = ::SendMessageW(child, WM_GETTEXTLENGTH, 0, 0);
    std::wstring shown(static_cast<size_t>(length) + 1, L'\0');
    shown.resize(static_cast<size_t>(
        ::SendMessageW(child, WM_GETTEXT, shown.size(), reinterpret_cast<LPARAM>(shown.data()))));
    if (shown.size() > text.size()) text = shown;
  }
  PrintUtf8(text);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// A program file's version and description, as Explorer's Properties show them.
void PrintVersion(const wchar_t* file) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(file, &ignored);
  std::vector<char> info(size);
  if (!size || !::GetFileVersionInfoW(file, 0, size, info.data())) Fail("the file has no version information");
  std::wstring line;
  for (const wchar_t* name : {L"ProductVersion", L"FileDescription"}) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    if (!::VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || !length)
      Fail("the version information lacks a value");
    line += (line.empty() ? L"" : L"\t") + std::wstring(value, wcsnlen(value, length));
  }
  PrintUtf8(line);
}

[[noreturn]] void Usage() {
  std::fprintf(
      stderr,
      "usage: lexmoor-poke wait | show | cursor X Y | type WORD | translate | related on|off |\n"
      "                    copy WORD | hotkey [MS] | lookup-clipboard | time WORD [RUNS] | fill WORD |\n"
      "                    idle | rows [N] |\n"
      "                    window | dblclick ROW [ctrl] | pronounce TEXT|--escape | close |\n"
      "                    cover L T R B | dialogs | message | box TITLE | version FILE\n");
  std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) Usage();
  const std::string command = argv[1];
  // The texts as typed, not as the ANSI code page could carry them.
  int wideCount = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &wideCount);
  if (!wide || wideCount != argc) Fail("could not read the command line");
  if (command == "wait" && argc == 2) {
    Wait();
  } else if (command == "show" && argc == 2) {
    Show();
  } else if (command == "cursor" && argc == 4) {
    if (!::SetCursorPos(std::atoi(argv[2]), std::atoi(argv[3]))) Fail("could not move the cursor");
  } else if (command == "type" && argc == 3) {
    Type(wide[2]);
  } else if (command == "translate" && argc == 2) {
    ::SendMessageA(MainDialog(), WM_COMMAND, MAKEWPARAM(IDC_TRANSLATE, BN_CLICKED), 0);
  } else if (command == "related" && argc == 3 &&
             (!std::strcmp(argv[2], "on") || !std::strcmp(argv[2], "off"))) {
    HWND box = ::GetDlgItem(MainDialog(), IDC_RELATED);
    ::SendMessageA(box, BM_SETCHECK, !std::strcmp(argv[2], "on") ? BST_CHECKED : BST_UNCHECKED, 0);
  } else if (command == "copy" && argc == 3) {
    Copy(wide[2]);
  } else if (command == "hotkey" && argc <= 3) {
    HotKey(argc == 3 ? static_cast<DWORD>(std::atoi(argv[2])) : kDefaultHoldMs);
  } else if (command == "lookup-clipboard" && argc == 2) {
    std::printf("%ld\n", static_cast<long>(::SendMessageA(MainDialog(), WM_LOOKUP_CLIPBOARD, 0, 0)));
  } else if (command == "time" && (argc == 3 || argc == 4)) {
    TimeAnswers(wide[2], argc == 4 ? std::atoi(argv[3]) : kDefaultTimedRuns);
  } else if (command == "fill" && argc == 3) {
    TimeFill(wide[2]);
  } else if (command == "idle" && argc == 2) {
    WaitUntilIdle(MainDialog());
  } else if (command == "rows" && argc <= 3) {
    PrintRows(argc == 3 ? std::atoi(argv[2]) : 0);
  } else if (command == "window" && argc == 2) {
    PrintWindow();
  } else if (command == "dblclick" && (argc == 3 || (argc == 4 && !std::strcmp(argv[3], "ctrl")))) {
    DoubleClick(std::atoi(argv[2]), argc == 4);
  } else if (command == "pronounce" && argc == 3) {
    Pronounce(wide[2], !std::strcmp(argv[2], "--escape"));
  } else if (command == "cover" && argc == 6) {
    Cover(RECT{std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5])});
  } else if (command == "dialogs" && argc == 2) {
    PrintDialogs();
  } else if (command == "message" && argc == 2) {
    Box(L"Lexmoor");  // the program's own message boxes
  } else if (command == "box" && argc == 3) {
    Box(wide[2]);
  } else if (command == "version" && argc == 3) {
    PrintVersion(wide[2]);
  } else if (command == "close" && argc == 2) {
    ::SendMessageA(MainDialog(), WM_COMMAND, MAKEWPARAM(IDC_CLOSE_APP, BN_CLICKED), 0);
  } else {
    Usage();
  }
  return 0;
}
