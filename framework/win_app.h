// CWinApp: the one application object. Its constructor registers it; the
// program's entry point calls InitInstance, and a FALSE result ends the process.
#pragma once

#include "framework/wnd.h"

class CWinApp {
 public:
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return TRUE; }
  // The message loop for an application whose InitInstance returns TRUE.
  virtual int Run();

  const char* m_pszAppName;
  HINSTANCE m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
// Where templates, icons and strings are loaded from: the program's own module.
HINSTANCE AfxGetResourceHandle();
