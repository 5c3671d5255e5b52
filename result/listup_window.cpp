#include "result/listup_window.h"

IMPLEMENT_DYNAMIC(CListupWindow, CDialog)

namespace {
// In front of the dialog manager, which waits in the window's user data. The
// lists are owner-drawn, so Wine's lists tell their owner of every row they
// drop, and each such message through the dialog manager costs a round trip to
// the server: emptying a list of ten thousand rows took tens of milliseconds
// longer. The rows hold nothing to free.
LRESULT CALLBACK AnswerDroppedRows(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DELETEITEM) return TRUE;
  const auto dialogManager = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialogManager));
    ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
  }
  return ::CallWindowProcW(dialogManager, hWnd, message, wParam, lParam);
}
}  // namespace

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
  // The dialog procedure answers that the row was drawn; the message's own
  // result, which nobody reads, stays 0 as the dialog manager set it: storing
  // another is a round trip to the server under Wine, for every row drawn.
  return 0;
}

BOOL CListupWindow::OnInitDialog() {
  CDialog::OnInitDialog();
  ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, ::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC));
  ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AnswerDroppedRows));
  return TRUE;
}
