#include "result/choicable_list_box.h"

IMPLEMENT_DYNAMIC(CChoicableListBox, CListBox)

BEGIN_MESSAGE_MAP(CChoicableListBox, CListBox)
  ON_WM_LBUTTONDBLCLK(OnListDoubleClick)
END_MESSAGE_MAP()

void CChoicableListBox::OnListDoubleClick(UINT, POINT) { Default(); }
