// CListBox: the list-box operations the program uses, on a list it does not own.
#pragma once

#include "framework/wnd.h"

class CListBox : public CWnd {
 public:
  static const CRuntimeClass classCListBox;
  const CRuntimeClass* GetRuntimeClass() const override { return &classCListBox; }

  int GetCurSel() const { return static_cast<int>(Send(LB_GETCURSEL)); }
  void ResetContent() { Send(LB_RESETCONTENT); }
  void SetHorizontalExtent(int pixels) { Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(pixels)); }

 private:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(Valid(), message, wParam, lParam);
  }
};
