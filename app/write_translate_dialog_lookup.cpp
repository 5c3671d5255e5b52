// The lookup as the user sees it: the engine's results put into the result
// window's five lists, and the window placed at the mouse cursor. Long lists
// fill a slice at a time on a timer, so the program keeps answering.
#include <chrono>

#include "app/clipboard_text.h"
#include "app/write_translate_dialog.h"
#include "dictionary/dictionary_paths.h"
#include "framework/undrawn_while_shown.h"
#include "lookup/window_placement.h"
#include "lookup/work_budget.h"

namespace {
// As often as the system's timers go; they come only when no input, paint or
// other message waits, so a fill never holds up the user.
constexpr UINT kFillTimerMs = USER_TIMER_MINIMUM;
// Work in the lookup's own message beyond the first screens, and in each slice.
constexpr std::chrono::milliseconds kLookupFillTime{30};
constexpr std::chrono::milliseconds kSliceTime{25};

lookup::Rect LookupRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
}  // namespace

void CWriteTranslateDialog::LookupAndShow(CString query) {
  if (!m_pListupWindow) return;
  lookup::WorkBudget budget = lookup::WorkBudget::Until(lookup::WorkBudget::Clock::now() + kLookupFillTime);
  const bool related = RelatedChecked();
  std::optional<lookup::WindowSize> size;
  {
    const fw::UndrawnWhileShown undrawn(m_pListupWindow->m_hWnd);
    // At most one read of the dictionary serves every word the lookup tries,
    // and none while the file stays as an earlier lookup read it.
    size = m_filling.Start(query.view(), related, budget);
  }
  if (const std::optional<uint32_t> error = m_filling.Unreadable()) TellUnreadableDictionary(*error);
  if (!size) return;
  FillLater();
  m_shownSize = *size;
  ShowAtCursor(*size);
}

void CWriteTranslateDialog::RepeatClipboardLookup() {
  std::optional<std::string> text = ReadClipboardText();
  if (!text) return;
  CWnd(GetDlgItem(IDC_WORD)).SetWindowText(*text);
  // The rows already in the lists, or on their way, are the ones a lookup would list.
  if (m_pListupWindow && m_filling.WouldRepeat(*text, RelatedChecked())) {
    ShowAtCursor(m_shownSize);
  } else {
    LookupAndShow(std::move(*text));
  }
}

bool CWriteTranslateDialog::RelatedChecked() {
  return ::SendMessageA(GetDlgItem(IDC_RELATED), BM_GETCHECK, 0, 0) != 0;
}

void CWriteTranslateDialog::ShowAtCursor(const lookup::WindowSize& size) {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoA(::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor);
  WINDOWPLACEMENT placement;
  m_pListupWindow->GetWindowPlacement(&placement);
  // At the cursor, even where the window then reaches past the screen's edge.
  const lookup::Rect placed = lookup::PlacementAtCursor({cursor.x, cursor.y}, LookupRect(monitor.rcMonitor),
                                                        LookupRect(monitor.rcWork), size.width, size.height);
  placement.rcNormalPosition = RECT{placed.left, placed.top, placed.right, placed.bottom};
  m_pListupWindow->SetWindowPlacement(&placement);
  m_pListupWindow->ShowWindow(SW_SHOW);
  BringToFront(m_pListupWindow->m_hWnd);
}

void CWriteTranslateDialog::BringToFront(HWND window) {
  if (m_desktop.SetForegroundWindow(window)) return;
  // The foreground lock refused: the hot key went to the user's program, which
  // keeps the focus. The window still goes above it, without taking the focus.
  constexpr UINT kRaiseOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kRaiseOnly);
  ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kRaiseOnly);
}

void CWriteTranslateDialog::FillLater() {
  // Also without rows to come: a file read anew is indexed in the slices.
  SetTimer(kFillTimerId, kFillTimerMs);
  m_bFilling = true;
}

void CWriteTranslateDialog::FillSlice() {
  if (!m_pListupWindow) return;
  lookup::WorkBudget budget = lookup::WorkBudget::Until(lookup::WorkBudget::Clock::now() + kSliceTime);
  const lookup::ResultFilling::Progress progress = m_filling.Continue(budget);
  if (progress.relisted) {
    // The dictionary changed under the fill and the lists were filled anew:
    // the window takes their size where it stands.
    WINDOWPLACEMENT placement;
    m_pListupWindow->GetWindowPlacement(&placement);
    RECT& rect = placement.rcNormalPosition;
    rect.right = rect.left + progress.relisted->width;
    rect.bottom = rect.top + progress.relisted->height;
    m_pListupWindow->SetWindowPlacement(&placement);
    m_shownSize = *progress.relisted;
  }
  if (!progress.more) {
    ::KillTimer(m_hWnd, kFillTimerId);
    m_bFilling = false;
  }
}

LRESULT CWriteTranslateDialog::OnRowsPending(WPARAM withIndexing, LPARAM) {
  return static_cast<LRESULT>(RowsPending() + (withIndexing && m_bFilling ? 1 : 0));
}
