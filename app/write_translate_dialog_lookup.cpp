// The lookup as the user sees it: the engine's results applied to the result
// window's five lists, and the window placed at the mouse cursor.
#include "app/write_translate_dialog.h"
#include "dictionary/dictionary_paths.h"
#include "lookup/lookup.h"

void CWriteTranslateDialog::LookupAndShow(CString query) {
  if (!m_pListupWindow) return;
  const bool related = ::SendMessageA(GetDlgItem(IDC_RELATED), BM_GETCHECK, 0, 0) != 0;
  // One read of the dictionary serves every word the lookup tries.
  const lookup::LookupResult result = lookup::Lookup(dictionary::kDictionaryFile, query.view(), related);
  if (!result.shown) return;
  for (int i = 0; i < kListCount; ++i)
    if (result.lists[i]) ApplyToList(IDC_LIST0 + i, *result.lists[i]);

  POINT cursor{};
  ::GetCursorPos(&cursor);
  WINDOWPLACEMENT placement;
  m_pListupWindow->GetWindowPlacement(&placement);
  // At the cursor as it is, even where the window then reaches past the screen's edge.
  placement.rcNormalPosition =
      RECT{cursor.x, cursor.y, cursor.x + result.WindowWidth(), cursor.y + result.WindowHeight()};
  m_pListupWindow->SetWindowPlacement(&placement);
  m_pListupWindow->ShowWindow(SW_SHOW);
  m_pListupWindow->SetForegroundWindow();
}

void CWriteTranslateDialog::ApplyToList(int listId, const lookup::ListFill& fill) {
  CListBox& list = m_listBoxes[listId - IDC_LIST0];
  // One repaint for the whole fill, not one per row.
  list.SendMessage(WM_SETREDRAW, FALSE);
  list.ResetContent();
  list.SendMessage(LB_INITSTORAGE, fill.rows.size(), 0);
  for (const std::string& row : fill.rows) list.InsertString(-1, row.c_str());
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
