// A shown window not drawn while it changes, then drawn once. Filling a list
// of a shown window draws its scroll bars at once, several milliseconds
// apiece under Wine. A hidden window is left alone: it draws nothing, and
// turning its drawing back on would mark it visible.
#pragma once

#include "framework/win32.h"

namespace fw {

class UndrawnWhileShown {
 public:
  explicit UndrawnWhileShown(HWND window) : m_hWnd(::IsWindowVisible(window) ? window : nullptr) {
    if (m_hWnd) ::SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
  }
  ~UndrawnWhileShown() {
    if (!m_hWnd) return;
    ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  UndrawnWhileShown(const UndrawnWhileShown&) = delete;
  UndrawnWhileShown& operator=(const UndrawnWhileShown&) = delete;

 private:
  HWND m_hWnd;
};

}  // namespace fw
