#include "result/list_box_control.h"

#include "dictionary/dictionary_line.h"

void CListBoxControl::BeginChanges() { m_list.SendMessage(WM_SETREDRAW, FALSE); }

void CListBoxControl::EndChanges() {
  // One repaint for the whole slice, not one per row.
  m_list.SendMessage(WM_SETREDRAW, TRUE);
  ::InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
}

void CListBoxControl::Reset() { m_list.ResetContent(); }

void CListBoxControl::Append(std::string_view row) { Insert(static_cast<WPARAM>(-1), row); }

void CListBoxControl::InsertAt(size_t index, std::string_view row) { Insert(index, row); }

void CListBoxControl::Insert(WPARAM index, std::string_view row) {
  // Converted here, by length: the list's own conversion of the A form would
  // take the terminating zero as the trail byte of a lone lead byte and read
  // on. A byte of code page 932 never becomes more than one UTF-16 unit.
  m_text.resize(row.size() + 1);
  const int length = row.empty() ? 0
                                 : ::MultiByteToWideChar(dictionary::kDictionaryCodePage, 0, row.data(),
                                                         static_cast<int>(row.size()), m_text.data(),
                                                         static_cast<int>(row.size()));
  m_text[static_cast<size_t>(length)] = L'\0';
  ::SendMessageW(m_list.m_hWnd, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(m_text.c_str()));
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
