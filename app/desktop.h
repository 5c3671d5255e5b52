// The two calls whose answers on a real Windows 10/11 desktop differ from
// Wine's: the foreground lock refuses SetForegroundWindow to a program the
// user is not working with, and at logon the notification area may refuse an
// icon before the taskbar is ready. The main dialog asks them through this,
// so tests can give Windows' answers.
#pragma once

#include "framework/win32.h"

class Desktop {
 public:
  virtual ~Desktop() = default;
  virtual bool SetForegroundWindow(HWND window) = 0;
  virtual bool NotifyIcon(DWORD message, NOTIFYICONDATAA& data) = 0;
};

// The system's own.
Desktop& SystemDesktop();
