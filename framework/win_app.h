// CWinApp: the one application object. Its constructor registers it; the
// program's entry point calls InitInstance, in which the program runs its main
// dialog modally, and the process ends when it returns.
#pragma once

#include "framework/wnd.h"

class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return FALSE; }

  HINSTANCE m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
// Where templates, icons and strings are loaded from: the program's own module.
HINSTANCE AfxGetResourceHandle();
