// The tray icon's record. Owning it owns the icon: it is removed when the
// record goes, so the notification area never keeps an icon of a dead program.
#pragma once

#include "framework/win32.h"

class NotifyIconData {
 public:
  NotifyIconData();
  ~NotifyIconData() { Delete(); }
  NotifyIconData(const NotifyIconData&) = delete;
  NotifyIconData& operator=(const NotifyIconData&) = delete;

  // Fills the record and adds the icon; false when the shell refused it.
  bool Add(HWND owner, HICON icon, UINT callbackMessage, const char* tip);
  // Adds the icon again from the record, for a taskbar that was re-created.
  bool AddAgain();
  void Delete();

  const NOTIFYICONDATAA& Record() const { return m_data; }

 private:
  NOTIFYICONDATAA m_data;
  bool m_filled = false;
};
