#include "framework/cstring.h"

#include "framework/win_app.h"

bool CString::LoadString(unsigned id) {
  // With a zero size LoadStringW hands out the resource itself, whatever its length.
  const wchar_t* resource = nullptr;
  const int wideLength = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&resource), 0);
  m_text.clear();
  if (wideLength <= 0 || !resource) return false;
  const int length = ::WideCharToMultiByte(CP_ACP, 0, resource, wideLength, nullptr, 0, nullptr, nullptr);
  m_text.resize(static_cast<size_t>(length));
  ::WideCharToMultiByte(CP_ACP, 0, resource, wideLength, m_text.data(), length, nullptr, nullptr);
  return length > 0;
}
