// Owners of what drawing borrows: a window's device context, an object
// selected into one, and a context's text colour while it is changed.
#pragma once

#include "framework/win32.h"

namespace fw {

class WindowDc {
 public:
  explicit WindowDc(HWND window) : m_hWnd(window), m_hDC(::GetDC(window)) {}
  ~WindowDc() {
    if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return m_hDC; }

 private:
  HWND m_hWnd;
  HDC m_hDC;
};

// `object` selected into `dc` until the guard goes; a null object selects nothing.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : m_hDC(dc), m_old(object ? ::SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (m_old) ::SelectObject(m_hDC, m_old);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC m_hDC;
  HGDIOBJ m_old;
};

// Text drawn in `colour` on `dc` without filling behind it, until the guard goes.
class TransparentText {
 public:
  TransparentText(HDC dc, COLORREF colour)
      : m_hDC(dc), m_oldColour(::SetTextColor(dc, colour)), m_oldMode(::SetBkMode(dc, TRANSPARENT)) {}
  ~TransparentText() {
    ::SetBkMode(m_hDC, m_oldMode);
    ::SetTextColor(m_hDC, m_oldColour);
  }
  TransparentText(const TransparentText&) = delete;
  TransparentText& operator=(const TransparentText&) = delete;

 private:
  HDC m_hDC;
  COLORREF m_oldColour;
  int m_oldMode;
};

}  // namespace fw
