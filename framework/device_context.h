// Owners of what drawing borrows: a window's device context, an object
// selected into one, and a context's state while it is changed.
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

// Colours, modes and selections changed on `dc` are put back when the guard goes.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : m_hDC(dc), m_saved(::SaveDC(dc)) {}
  ~SavedDcState() {
    if (m_saved) ::RestoreDC(m_hDC, m_saved);
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC m_hDC;
  int m_saved;
};

}  // namespace fw
