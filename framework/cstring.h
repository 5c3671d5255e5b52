// CString: the program's 8-bit string, a value type over std::string. Text is
// bytes in code page 932 (fw::kStringCodePage) whatever the system's ANSI code
// page; nothing here decodes double-byte characters.
#pragma once

#include <string>
#include <string_view>

#include "framework/win32.h"  // LoadString is a macro there; both sides must see it

class CString {
 public:
  CString() = default;
  CString(const char* text) : m_text(text ? text : "") {}
  CString(std::string text) : m_text(std::move(text)) {}
  CString(std::string_view text) : m_text(text) {}

  operator const char*() const { return m_text.c_str(); }
  std::string_view view() const { return m_text; }

  bool IsEmpty() const { return m_text.empty(); }

  // Loads string resource `id` of the program; false (and empty) when it is missing.
  bool LoadString(unsigned id);

 private:
  std::string m_text;
};
