#include "framework/font.h"

#include <cstring>

namespace {
constexpr int kTenthsPerInchOfPoints = 720;  // 72 points an inch, in tenths
}

BOOL CFont::CreatePointFont(int tenthsOfPoint, const char* faceName) {
  DeleteObject();
  LOGFONTA font{};
  font.lfCharSet = DEFAULT_CHARSET;
  if (faceName) strncpy(font.lfFaceName, faceName, LF_FACESIZE - 1);
  HDC screen = ::GetDC(nullptr);
  font.lfHeight = -::MulDiv(::GetDeviceCaps(screen, LOGPIXELSY), tenthsOfPoint, kTenthsPerInchOfPoints);
  ::ReleaseDC(nullptr, screen);
  m_hObject = ::CreateFontIndirectA(&font);
  return m_hObject != nullptr;
}

BOOL CFont::DeleteObject() {
  if (!m_hObject) return FALSE;
  const BOOL deleted = ::DeleteObject(m_hObject);
  m_hObject = nullptr;
  return deleted;
}
