#include "app/desktop.h"

namespace {

class SystemDesktopCalls final : public Desktop {
 public:
  bool SetForegroundWindow(HWND window) override {
    return ::SetForegroundWindow(window) && ::GetForegroundWindow() == window;
  }
  bool NotifyIcon(DWORD message, NOTIFYICONDATAW& data) override {
    return ::Shell_NotifyIconW(message, &data) != FALSE;
  }
  bool RegisterHotKey(HWND window, int id, UINT modifiers, UINT virtualKey) override {
    return ::RegisterHotKey(window, id, modifiers, virtualKey) != FALSE;
  }
  void UnregisterHotKey(HWND window, int id) override { ::UnregisterHotKey(window, id); }
  UINT VirtualKeyOfScanCode(UINT scanCode) override { return ::MapVirtualKeyW(scanCode, MAPVK_VSC_TO_VK_EX); }
  void AllowMessageFromLowerIntegrity(HWND window, UINT message) override {
    ::ChangeWindowMessageFilterEx(window, message, MSGFLT_ALLOW, nullptr);
  }
};

}  // namespace

Desktop& SystemDesktop() {
  static SystemDesktopCalls desktop;
  return desktop;
}
