#include "result/listup_window.h"

IMPLEMENT_DYNAMIC(CListupWindow, CDialog)

BEGIN_MESSAGE_MAP(CListupWindow, CDialog)
ON_COMMAND(IDOK, OnHide)
// Not the dialog base's EndDialog: for a modeless window it activates the
// owner, the hidden main dialog, whose edit box would then take the user's keys.
ON_COMMAND(IDCANCEL, OnHide)
ON_MESSAGE(WM_DRAWITEM, OnDrawItem)
END_MESSAGE_MAP()

LRESULT CListupWindow::OnDrawItem(WPARAM, LPARAM lParam) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (item->CtlType != ODT_LISTBOX) return Default();
  m_rowDrawing.DrawItem(*item);
  return TRUE;
}
