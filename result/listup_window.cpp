#include "result/listup_window.h"

IMPLEMENT_DYNAMIC(CListupWindow, CDialog)

BEGIN_MESSAGE_MAP(CListupWindow, CDialog)
ON_COMMAND(IDOK, OnHide)
// Not the dialog base's EndDialog: for a modeless window it activates the
// owner, the hidden main dialog, whose edit box would then take the user's keys.
ON_COMMAND(IDCANCEL, OnHide)
END_MESSAGE_MAP()
