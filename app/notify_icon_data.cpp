#include "app/notify_icon_data.h"

#include <cstring>

NotifyIconData::NotifyIconData(Desktop& desktop) : m_desktop(desktop) {
  std::memset(&m_data, 0, sizeof m_data);
}

bool NotifyIconData::Add(HWND owner, fw::OwnedIcon icon, UINT callbackMessage, const char* tip) {
  m_icon = std::move(icon);
  std::memset(&m_data, 0, sizeof m_data);
  // The first-version layout, which every shell accepts.
  m_data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  m_data.hWnd = owner;
  m_data.uID = 0;
  m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  m_data.hIcon = m_icon.Get();
  m_data.uCallbackMessage = callbackMessage;
  std::strncpy(m_data.szTip, tip, sizeof m_data.szTip - 1);
  m_filled = true;
  return AddAgain();
}

bool NotifyIconData::AddAgain() {
  // An icon the shell still shows refuses NIM_ADD but takes NIM_MODIFY.
  m_added = m_filled && (m_desktop.NotifyIcon(NIM_ADD, m_data) || m_desktop.NotifyIcon(NIM_MODIFY, m_data));
  return m_added;
}

void NotifyIconData::AddIfRefused() {
  if (m_filled && !m_added) AddAgain();
}

void NotifyIconData::Delete() {
  if (!m_filled) return;
  m_desktop.NotifyIcon(NIM_DELETE, m_data);
  m_filled = false;
  m_added = false;
}
