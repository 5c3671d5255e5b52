#include "framework/cstring.h"

#include "framework/code_page.h"
#include "framework/win_app.h"

bool CString::LoadString(unsigned id) {
  // With a zero size LoadStringW hands out the resource itself, whatever its length.
  const wchar_t* resource = nullptr;
  const int wideLength = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&resource), 0);
  m_text.clear();
  if (wideLength <= 0 || !resource) return false;
  m_text = fw::FromUnicode(std::wstring_view(resource, static_cast<size_t>(wideLength)), fw::kStringCodePage);
  return !m_text.empty();
}
