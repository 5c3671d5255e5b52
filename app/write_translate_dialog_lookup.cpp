// The lookup as the user sees it: the engine's results applied to the result
// window's five lists, and the window placed at the mouse cursor.
#include "app/write_translate_dialog.h"
#include "dictionary/dictionary_paths.h"
#include "framework/undrawn_while_shown.h"
#include "lookup/lookup.h"
#include "lookup/window_placement.h"

namespace {
lookup::Rect LookupRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
}  // namespace

void CWriteTranslateDialog::LookupAndShow(CString query) {
  if (!m_pListupWindow) return;
  const bool related = ::SendMessageA(GetDlgItem(IDC_RELATED), BM_GETCHECK, 0, 0) != 0;
  // At most one read of the dictionary serves every word the lookup tries,
  // and none while the file stays as an earlier lookup read it.
  const lookup::LookupResult result = m_lookups.Lookup(query.view(), related);
  if (result.unreadable) TellUnreadableDictionary(*result.unreadable);
  if (!result.shown) return;
  {
    const fw::UndrawnWhileShown undrawn(m_pListupWindow->m_hWnd);
    for (int i = 0; i < kListCount; ++i)
      if (result.lists[i]) ApplyToList(IDC_LIST0 + i, *result.lists[i]);
  }

  POINT cursor{};
  ::GetCursorPos(&cursor);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoA(::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor);
  WINDOWPLACEMENT placement;
  m_pListupWindow->GetWindowPlacement(&placement);
  // At the cursor, even where the window then reaches past the screen's edge.
  const lookup::Rect placed =
      lookup::PlacementAtCursor({cursor.x, cursor.y}, LookupRect(monitor.rcMonitor),
                                LookupRect(monitor.rcWork), result.WindowWidth(), result.WindowHeight());
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

void CWriteTranslateDialog::ApplyToList(int listId, const lookup::ListFill& fill) {
  CChoicableListBox& list = m_listBoxes[listId - IDC_LIST0];
  // One repaint for the whole fill, not one per row.
  list.SendMessage(WM_SETREDRAW, FALSE);
  list.ResetRows();
  list.SendMessage(LB_INITSTORAGE, fill.rows.size(), 0);
  for (const std::string& row : fill.rows) list.AddRow(row);
  list.SendMessage(WM_SETREDRAW, TRUE);
  ::InvalidateRect(list.m_hWnd, nullptr, TRUE);
  if (!fill.opened) return;  // an unreadable dictionary leaves the size and extent as they were

  WINDOWPLACEMENT placement;
  list.GetWindowPlacement(&placement);
  RECT& rect = placement.rcNormalPosition;
  rect.right = rect.left + fill.Width();
  rect.bottom = rect.top + fill.Height();
  list.SetWindowPlacement(&placement);
  list.SetHorizontalExtent(fill.Extent());
}
