// The result window: a modeless dialog with five lists side by side, whose
// rows it draws. OK, Enter and Escape hide it; it lives as long as the main dialog.
#pragma once

#include "framework/dialog.h"
#include "res/resource.h"
#include "result/row_drawing.h"

class CListupWindow : public CDialog {
  DECLARE_DYNAMIC(CListupWindow)

 public:
  enum { IDD = IDD_LISTUP };
  explicit CListupWindow(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

 protected:
  BOOL OnInitDialog() override;
  void OnHide() { ShowWindow(SW_HIDE); }
  LRESULT OnDrawItem(WPARAM, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  RowDrawing m_rowDrawing;
};
