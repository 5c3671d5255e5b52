// Owners of the Windows resources the program borrows for a moment: the open
// clipboard, global memory until the clipboard takes it, a lock on that memory.
#pragma once

#include <cstddef>

#include "framework/win32.h"

namespace fw {

class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
  ~ClipboardSession() {
    if (m_open) ::CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool IsOpen() const { return m_open; }

 private:
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
