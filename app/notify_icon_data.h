// The tray icon's record. Owning it owns the icon: it is removed when the
// record goes, so the notification area never keeps an icon of a dead program.
#pragma once

#include "app/desktop.h"
#include "framework/handles.h"

class NotifyIconData {
 public:
  explicit NotifyIconData(Desktop& desktop);
  ~NotifyIconData() { Delete(); }
  NotifyIconData(const NotifyIconData&) = delete;
  NotifyIconData& operator=(const NotifyIconData&) = delete;

  // Fills the record and adds the icon; false when the shell refused it. The
  // icon's notifications come as `callbackMessage` with the event in
  // LOWORD(lParam): mouse messages, and NIN_SELECT / NIN_KEYSELECT when the
  // icon is chosen with the mouse or the keyboard.
  bool Add(HWND owner, fw::OwnedIcon icon, UINT callbackMessage, const wchar_t* tip);
  // Adds the icon again from the record, for a taskbar that was re-created.
  bool AddAgain();
  // Adds the icon if the shell refused it so far. At logon the shell refuses
  // icons until the taskbar is ready, and no "TaskbarCreated" follows.
  void AddIfRefused();
  void Delete();
  // A warning balloon from the icon; false when there is no icon to show it.
  bool ShowBalloon(const wchar_t* title, const wchar_t* text);

 private:
  Desktop& m_desktop;
  NOTIFYICONDATAW m_data;
  fw::OwnedIcon m_icon;  // outlives the icon's place in the notification area
  bool m_filled = false;
  bool m_added = false;
};
