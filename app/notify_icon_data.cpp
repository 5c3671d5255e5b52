#include "app/notify_icon_data.h"

#include <cstring>
#include <cwchar>

namespace {
// Copies `text` into a fixed field, cut to fit.
template <size_t N>
void CopyField(wchar_t (&field)[N], const wchar_t* text) {
  std::wcsncpy(field, text, N - 1);
  field[N - 1] = L'\0';
}
}  // namespace

NotifyIconData::NotifyIconData(Desktop& desktop) : m_desktop(desktop) {
  std::memset(&m_data, 0, sizeof m_data);
}

bool NotifyIconData::Add(HWND owner, fw::OwnedIcon icon, UINT callbackMessage, const wchar_t* tip) {
  m_icon = std::move(icon);
  std::memset(&m_data, 0, sizeof m_data);
  // The layout with balloons that every shell since Windows XP takes.
  m_data.cbSize = NOTIFYICONDATAW_V3_SIZE;
  m_data.hWnd = owner;
  m_data.uID = 0;
  m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  m_data.hIcon = m_icon.Get();
  m_data.uCallbackMessage = callbackMessage;
  CopyField(m_data.szTip, tip);
  m_filled = true;
  return AddAgain();
}

bool NotifyIconData::AddAgain() {
  // An icon the shell still shows refuses NIM_ADD but takes NIM_MODIFY.
  m_added = m_filled && (m_desktop.NotifyIcon(NIM_ADD, m_data) || m_desktop.NotifyIcon(NIM_MODIFY, m_data));
  if (m_added) {
    // Without it the shell reports only mouse messages: the icon can't be
    // chosen from the keyboard. With the icon's ID 0, LOWORD(lParam) is the
    // event in either layout, so a shell that refuses still works.
    NOTIFYICONDATAW version = m_data;
    version.uVersion = NOTIFYICON_VERSION_4;
    m_desktop.NotifyIcon(NIM_SETVERSION, version);
  }
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

bool NotifyIconData::ShowBalloon(const wchar_t* title, const wchar_t* text) {
  if (!m_added) return false;
  // A copy: the record itself never carries the balloon, or re-adding the
  // icon would show it again.
  NOTIFYICONDATAW balloon = m_data;
  balloon.uFlags = NIF_INFO;
  balloon.dwInfoFlags = NIIF_WARNING;
  CopyField(balloon.szInfoTitle, title);
  CopyField(balloon.szInfo, text);
  return m_desktop.NotifyIcon(NIM_MODIFY, balloon);
}
