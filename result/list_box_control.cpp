#include "result/list_box_control.h"

#include "dictionary/dictionary_line.h"
#include "framework/code_page.h"

void CListBoxControl::BeginChanges() { m_list.SendMessage(WM_SETREDRAW, FALSE); }

void CListBoxControl::EndChanges() {
  // One repaint for the whole slice, not one per row.
  m_list.SendMessage(WM_SETREDRAW, TRUE);
  ::InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
}

void CListBoxControl::Reset() { m_list.ResetContent(); }

bool CListBoxControl::Append(std::string_view row) { return Insert(static_cast<WPARAM>(-1), row); }

bool CListBoxControl::InsertAt(size_t index, std::string_view row) { return Insert(index, row); }

bool CListBoxControl::Insert(WPARAM index, std::string_view row) {
  // Converted here, by length: the list's own conversion of the A form would
  // take the terminating zero as the trail byte of a lone lead byte and read
  // on. A byte of code page 932 never becomes more than one UTF-16 unit.
  const UINT codePage = dictionary::kDictionaryCodePage;
  const int bytes = static_cast<int>(row.size());
  m_text.resize(row.size() + 1);
  const int length = row.empty() ? 0 : ::MultiByteToWideChar(codePage, 0, row.data(), bytes, m_text.data(), bytes);
  m_text[static_cast<size_t>(length)] = L'\0';
  ::SendMessageW(m_list.m_hWnd, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(m_text.c_str()));
  // Most rows come back as they went in; only those that don't (a lone lead
  // byte, a byte the code page lacks) need keeping beside the list.
  m_back.resize(2 * row.size() + 1);
  const int back = length == 0 ? 0
                               : ::WideCharToMultiByte(codePage, 0, m_text.data(), length, m_back.data(),
                                                       static_cast<int>(m_back.size()), nullptr, nullptr);
  return std::string_view(m_back.data(), static_cast<size_t>(back)) == row;
}

std::string CListBoxControl::RowText(size_t index) {
  const LRESULT length = ::SendMessageW(m_list.m_hWnd, LB_GETTEXTLEN, index, 0);
  if (length <= 0) return std::string();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(
      ::SendMessageW(m_list.m_hWnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
  return fw::FromUnicode(text, dictionary::kDictionaryCodePage);
}

void CListBoxControl::RemoveAt(size_t index) { m_list.SendMessage(LB_DELETESTRING, index); }

void CListBoxControl::Reserve(size_t rows) { m_list.SendMessage(LB_INITSTORAGE, rows); }

void CListBoxControl::Resize(int32_t width, int32_t height) {
  WINDOWPLACEMENT placement;
  m_list.GetWindowPlacement(&placement);
  RECT& rect = placement.rcNormalPosition;
  rect.right = rect.left + width;
  rect.bottom = rect.top + height;
  m_list.SetWindowPlacement(&placement);
}

void CListBoxControl::SetExtent(int32_t pixels) { m_list.SetHorizontalExtent(pixels); }
