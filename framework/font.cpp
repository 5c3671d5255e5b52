#include "framework/font.h"

#include <cwchar>

namespace {
constexpr int kTenthsPerInchOfPoints = 720;  // 72 points an inch, in tenths
}

BOOL CFont::CreatePointFont(int tenthsOfPoint, const wchar_t* faceName) {
  DeleteObject();
  LOGFONTW font{};
  font.lfCharSet = DEFAULT_CHARSET;
  if (faceName) wcsncpy(font.lfFaceName, faceName, LF_FACESIZE - 1);
  HDC screen = ::GetDC(nullptr);
  font.lfHeight = -::MulDiv(::GetDeviceCaps(screen, LOGPIXELSY), tenthsOfPoint, kTenthsPerInchOfPoints);
  ::ReleaseDC(nullptr, screen);
  m_hObject = ::CreateFontIndirectW(&font);
  return m_hObject != nullptr;
}

BOOL CFont::DeleteObject() {
  if (!m_hObject) return FALSE;
  const BOOL deleted = ::DeleteObject(m_hObject);
  m_hObject = nullptr;
  return deleted;
}
