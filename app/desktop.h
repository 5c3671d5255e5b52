// The calls whose answers on a real Windows 10/11 desktop differ from Wine's:
// the foreground lock refuses SetForegroundWindow to a program the user is
// not working with, unless it has just received its registered hot key; at
// logon the notification area may refuse an icon before the taskbar is ready;
// another program may hold the hot key; the keyboard layout decides which key
// the NonConvert key is; and an elevated program hears from programs of lower
// integrity only what it lets through (UIPI). The main dialog asks them
// through this, so tests can give Windows' answers.
#pragma once

#include "framework/win32.h"

class Desktop {
 public:
  virtual ~Desktop() = default;
  // True when `window` is the foreground window afterwards: a refused call
  // may report success and only flash the window's taskbar button.
  virtual bool SetForegroundWindow(HWND window) = 0;
  virtual bool NotifyIcon(DWORD message, NOTIFYICONDATAW& data) = 0;
  virtual bool RegisterHotKey(HWND window, int id, UINT modifiers, UINT virtualKey) = 0;
  virtual void UnregisterHotKey(HWND window, int id) = 0;
  // The virtual key the keyboard layout gives `scanCode`; 0 when none.
  virtual UINT VirtualKeyOfScanCode(UINT scanCode) = 0;
  // Lets `message` reach `window` from programs of lower integrity.
  virtual void AllowMessageFromLowerIntegrity(HWND window, UINT message) = 0;
};

// The system's own.
Desktop& SystemDesktop();
