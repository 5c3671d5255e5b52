// One Lexmoor per user session: a second start (a double-click while the
// program already runs hidden from sign-in) shows the first one's main dialog
// and ends, instead of adding a second tray icon and a second pop-up per press.
#pragma once

#include "framework/win32.h"

class SingleInstance {
 public:
  SingleInstance();
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another Lexmoor of this session runs.
  bool IsFirst() const { return m_first; }

 private:
  HANDLE m_mutex;
  bool m_first;
};

// Asks the running Lexmoor to show its main dialog, waiting a moment for one
// that is still starting.
void ShowRunningInstance();
