// A result list whose rows can be followed (double-click) or given a
// pronunciation (Ctrl+double-click). Attached to a list of the result window
// by subclassing.
#pragma once

#include "framework/list_box.h"
#include "lookup/list_filling.h"
#include "result/list_box_control.h"

class CChoicableListBox : public CListBox {
  DECLARE_DYNAMIC(CChoicableListBox)

 public:
  // Rows go in through this, not as list text alone: the list keeps Unicode
  // text, which can't give back every row's bytes (a lone lead byte at a
  // row's end), and a row's actions work on its exact bytes; the filling
  // keeps the rows the list can't give back.
  lookup::ListFilling& Filling() { return m_filling; }

 protected:
  void OnListDoubleClick(UINT flags, POINT point);

  DECLARE_MESSAGE_MAP()

 private:
  CListBoxControl m_control{*this};
  lookup::ListFilling m_filling{m_control};
};
