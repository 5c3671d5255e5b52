// Owners of the Windows resources the program borrows: the open clipboard,
// global memory until the clipboard takes it, a lock on that memory, an icon.
#pragma once

#include <cstddef>
#include <utility>

#include "framework/win32.h"

namespace fw {

// The clipboard, open for `owner`. Clipboard history and clipboard managers
// hold it for a moment after every copy, so it is tried a few times.
class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner) : m_open(Open(owner)) {}
  ~ClipboardSession() {
    if (m_open) ::CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool IsOpen() const { return m_open; }

 private:
  static constexpr int kOpenAttempts = 5;
  static constexpr DWORD kRetryPauseMs = 10;

  static bool Open(HWND owner) {
    for (int attempt = 1;; ++attempt) {
      if (::OpenClipboard(owner)) return true;
      if (attempt == kOpenAttempts) return false;
      ::Sleep(kRetryPauseMs);
    }
  }

  bool m_open;
};

class GlobalMemory {
 public:
  GlobalMemory(UINT flags, size_t bytes) : m_handle(::GlobalAlloc(flags, bytes)) {}
  ~GlobalMemory() {
    if (m_handle) ::GlobalFree(m_handle);
  }
  GlobalMemory(const GlobalMemory&) = delete;
  GlobalMemory& operator=(const GlobalMemory&) = delete;
  HGLOBAL Get() const { return m_handle; }
  // Gives the block away, e.g. to the clipboard, which frees it from then on.
  HGLOBAL Release() {
    HGLOBAL handle = m_handle;
    m_handle = nullptr;
    return handle;
  }

 private:
  HGLOBAL m_handle;
};

// An icon made for the program alone (LoadImage without LR_SHARED), destroyed when it goes.
class OwnedIcon {
 public:
  explicit OwnedIcon(HICON icon = nullptr) : m_icon(icon) {}
  ~OwnedIcon() {
    if (m_icon) ::DestroyIcon(m_icon);
  }
  OwnedIcon(OwnedIcon&& other) noexcept : m_icon(other.m_icon) { other.m_icon = nullptr; }
  OwnedIcon& operator=(OwnedIcon&& other) noexcept {
    std::swap(m_icon, other.m_icon);
    return *this;
  }
  HICON Get() const { return m_icon; }

 private:
  HICON m_icon;
};

class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL handle)
      : m_handle(handle), m_data(handle ? ::GlobalLock(handle) : nullptr) {}
  ~GlobalLockGuard() {
    if (m_data) ::GlobalUnlock(m_handle);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  void* Data() const { return m_data; }

 private:
  HGLOBAL m_handle;
  void* m_data;
};

}  // namespace fw
