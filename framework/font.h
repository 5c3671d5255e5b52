// CFont owns a GDI font; it must outlive the controls it is set on.
#pragma once

#include "framework/win32.h"

class CFont {
 public:
  CFont() = default;
  ~CFont() { DeleteObject(); }
  CFont(const CFont&) = delete;
  CFont& operator=(const CFont&) = delete;

  // A font of `tenthsOfPoint` / 10 points on the screen; false when it can't be made.
  BOOL CreatePointFont(int tenthsOfPoint, const wchar_t* faceName);
  BOOL DeleteObject();
  HFONT GetSafeHandle() const { return m_hObject; }

 private:
  HFONT m_hObject = nullptr;
};
