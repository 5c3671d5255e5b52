// What starts a lookup or shows and hides the main dialog: the hot key
// (registered, and polled at every tick), the clipboard, the buttons and
// Enter, the tray icon and the messages other windows send.
#include <optional>
#include <string>

#include "app/clipboard_text.h"
#include "app/write_translate_dialog.h"
#include "res/private_messages.h"

const UINT CWriteTranslateDialog::s_msgTaskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");

void CWriteTranslateDialog::OnTimer(UINT_PTR id) {
  if (id == kFillTimerId) {
    FillSlice();
    return;
  }
  if (m_bHidden != 1) {
    // The modal loop has just shown the dialog; the program lives in the tray.
    m_bHidden = 1;
    ShowWindow(SW_HIDE);
  }
  m_nid.AddIfRefused();
  RunHotKeyAction(m_hotKey.Tick());
}

LRESULT CWriteTranslateDialog::OnHotKey(WPARAM, LPARAM) {
  // Received here, the key press gives this thread the right to the foreground.
  RunHotKeyAction(m_hotKey.Pressed());
  return 0;
}

void CWriteTranslateDialog::RunHotKeyAction(HotKey::Action action) {
  switch (action) {
    case HotKey::Action::kLookup:
      LookupClipboard();
      break;
    case HotKey::Action::kRepeat:
      RepeatClipboardLookup();
      break;
    case HotKey::Action::kBringToFront:
      if (m_pListupWindow && ::IsWindowVisible(m_pListupWindow->m_hWnd))
        BringToFront(m_pListupWindow->m_hWnd);
      break;
    case HotKey::Action::kNone:
      break;
  }
}

void CWriteTranslateDialog::LookupClipboard() {
  std::optional<std::string> text = ReadClipboardText();
  if (!text) return;
  CWnd(GetDlgItem(IDC_WORD)).SetWindowText(*text);
  LookupAndShow(std::move(*text));
}

void CWriteTranslateDialog::LookupEditText() {
  CString text;
  CWnd(GetDlgItem(IDC_WORD)).GetWindowText(text);
  LookupAndShow(text);
}

LRESULT CWriteTranslateDialog::OnLookupClipboard(WPARAM, LPARAM) {
  LookupClipboard();
  return 1;
}

LRESULT CWriteTranslateDialog::OnTrayCallback(WPARAM, LPARAM lParam) {
  // The event is LOWORD(lParam) in both layouts of the callback (icon ID 0).
  switch (LOWORD(lParam)) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case NIN_SELECT:     // chosen with the mouse
    case NIN_KEYSELECT:  // chosen with the keyboard: Enter or Space on the icon
      ShowWindow(SW_SHOW);
      // The shell lets the icon's owner take the foreground: the edit box gets the keys.
      m_desktop.SetForegroundWindow(m_hWnd);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT CWriteTranslateDialog::OnShowMainDialog(WPARAM, LPARAM) {
  m_bHidden = 1;  // a first tick still to come leaves it shown
  ShowWindow(SW_SHOW);
  m_desktop.SetForegroundWindow(m_hWnd);
  return 0;
}

LRESULT CWriteTranslateDialog::OnTaskbarCreated(WPARAM, LPARAM) {
  // The shell restarted and forgot the icon; without it the program is unreachable.
  m_nid.AddAgain();
  return 0;
}

void CWriteTranslateDialog::OnHide() { ShowWindow(SW_HIDE); }

void CWriteTranslateDialog::OnCloseApp() { PostMessage(WM_CLOSE); }
