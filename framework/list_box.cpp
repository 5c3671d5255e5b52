#include "framework/list_box.h"

#include <string>

const CRuntimeClass CListBox::classCListBox = {"CListBox", &CWnd::classCWnd};

bool CListBox::GetText(int index, CString& text) const {
  const LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (length == LB_ERR) {
    text = CString();
    return false;
  }
  std::string buffer(static_cast<size_t>(length) + 1, '\0');
  const LRESULT got = Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
  text = CString(std::move(buffer));
  return got != LB_ERR;
}
