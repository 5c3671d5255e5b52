#include "app/notify_icon_data.h"

#include <cstring>

NotifyIconData::NotifyIconData() { std::memset(&m_data, 0, sizeof m_data); }

bool NotifyIconData::Add(HWND owner, HICON icon, UINT callbackMessage, const char* tip) {
  std::memset(&m_data, 0, sizeof m_data);
  // The first-version layout, which every shell accepts.
  m_data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  m_data.hWnd = owner;
  m_data.uID = 0;
  m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  m_data.hIcon = icon;
  m_data.uCallbackMessage = callbackMessage;
  std::strncpy(m_data.szTip, tip, sizeof m_data.szTip - 1);
  m_filled = true;
  return AddAgain();
}

bool NotifyIconData::AddAgain() { return m_filled && Shell_NotifyIconA(NIM_ADD, &m_data) != FALSE; }

void NotifyIconData::Delete() {
  if (!m_filled) return;
  Shell_NotifyIconA(NIM_DELETE, &m_data);
  m_filled = false;
}
