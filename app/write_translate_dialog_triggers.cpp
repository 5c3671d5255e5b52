// What starts a lookup or shows and hides the main dialog: the timer that
// polls the hot key, the clipboard, the buttons and Enter, the tray icon and
// the messages other windows send.
#include <optional>
#include <string>

#include "app/clipboard_text.h"
#include "app/write_translate_dialog.h"
#include "res/private_messages.h"

namespace {
// The hot key is polled, not registered: the asynchronous key state tells
// whether the keys are down whichever program has the keyboard focus.
constexpr int kHotKeyModifier = VK_CONTROL;
constexpr int kHotKey = VK_NONCONVERT;

bool IsKeyDown(int virtualKey) { return ::GetAsyncKeyState(virtualKey) < 0; }

// The left button as the user sees it, also with the buttons swapped.
bool IsLeftButtonDown() { return IsKeyDown(::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON); }
}  // namespace

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
  const bool hotKeyDown = IsKeyDown(kHotKeyModifier) && IsKeyDown(kHotKey);
  if (hotKeyDown && m_bHotKeyDown) {
    RepeatClipboardLookup();
  } else if (hotKeyDown) {
    LookupClipboard();
  }
  m_bHotKeyDown = hotKeyDown;
}

void CWriteTranslateDialog::LookupClipboard() {
  std::optional<std::string> text = ReadClipboardText();
  if (!text) return;
  ::SetDlgItemTextA(m_hWnd, IDC_WORD, text->c_str());
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

LRESULT CWriteTranslateDialog::OnTrayCallback(WPARAM, LPARAM) {
  if (IsLeftButtonDown()) ShowWindow(SW_SHOW);
  return 0;
}

LRESULT CWriteTranslateDialog::OnTaskbarCreated(WPARAM, LPARAM) {
  // The shell restarted and forgot the icon; without it the program is unreachable.
  m_nid.AddAgain();
  return 0;
}

void CWriteTranslateDialog::OnHide() { ShowWindow(SW_HIDE); }

void CWriteTranslateDialog::OnCloseApp() { PostMessage(WM_CLOSE); }
