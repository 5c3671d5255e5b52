#include "framework/list_box.h"

const CRuntimeClass CListBox::classCListBox = {"CListBox", &CWnd::classCWnd};
