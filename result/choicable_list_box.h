// A result list whose rows can be followed (double-click) or given a
// pronunciation (Ctrl+double-click). Attached to a list of the result window
// by subclassing.
#pragma once

#include "framework/list_box.h"

class CChoicableListBox : public CListBox {
  DECLARE_DYNAMIC(CChoicableListBox)

 protected:
  void OnListDoubleClick(UINT flags, POINT point);

  DECLARE_MESSAGE_MAP()
};
