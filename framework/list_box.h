// CListBox: the list-box operations the program uses, on a list it does not own.
#pragma once

#include "framework/wnd.h"

class CListBox : public CWnd {
 public:
  static const CRuntimeClass classCListBox;
  const CRuntimeClass* GetRuntimeClass() const override { return &classCListBox; }

  int GetCurSel() const { return static_cast<int>(Send(LB_GETCURSEL)); }
  // The text of row `index`; false (and empty) when there is no such row.
  bool GetText(int index, CString& text) const;
  void ResetContent() { Send(LB_RESETCONTENT); }
  int InsertString(int index, const char* text) {
    return static_cast<int>(
        Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
  }
  void SetHorizontalExtent(int pixels) { Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(pixels)); }

 private:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(Valid(), message, wParam, lParam);
  }
};
