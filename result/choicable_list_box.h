// A result list whose rows can be followed (double-click) or given a
// pronunciation (Ctrl+double-click). Attached to a list of the result window
// by subclassing.
#pragma once

#include <string>
#include <vector>

#include "framework/list_box.h"

class CChoicableListBox : public CListBox {
  DECLARE_DYNAMIC(CChoicableListBox)

 public:
  // Rows go in through these, not as list text alone: the list keeps Unicode
  // text, which can't give back every row's bytes (a lone lead byte at a
  // row's end), and a row's actions work on its exact bytes.
  void ResetRows();
  void AddRow(const std::string& row);

 protected:
  void OnListDoubleClick(UINT flags, POINT point);

  DECLARE_MESSAGE_MAP()

 private:
  // The bytes of row `index`; empty when there is no such row.
  std::string RowAt(int index) const;

  std::vector<std::string> m_rows;
};
