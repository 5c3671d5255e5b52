#include "result/listup_window.h"

IMPLEMENT_DYNAMIC(CListupWindow, CDialog)

// Escape is left to the dialog base, which hides this modeless window too.
BEGIN_MESSAGE_MAP(CListupWindow, CDialog)
ON_COMMAND(IDOK, OnHide)
END_MESSAGE_MAP()
