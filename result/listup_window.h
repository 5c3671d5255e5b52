// The result window: a modeless dialog with five lists side by side. OK,
// Enter and Escape hide it; it lives as long as the main dialog.
#pragma once

#include "framework/dialog.h"
#include "res/resource.h"

class CListupWindow : public CDialog {
  DECLARE_DYNAMIC(CListupWindow)

 public:
  enum { IDD = IDD_LISTUP };
  explicit CListupWindow(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

 protected:
  void OnHide() { ShowWindow(SW_HIDE); }

  DECLARE_MESSAGE_MAP()
};
