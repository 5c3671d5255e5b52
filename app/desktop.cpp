#include "app/desktop.h"

namespace {

class SystemDesktopCalls final : public Desktop {
 public:
  bool SetForegroundWindow(HWND window) override { return ::SetForegroundWindow(window) != FALSE; }
  bool NotifyIcon(DWORD message, NOTIFYICONDATAA& data) override {
    return ::Shell_NotifyIconA(message, &data) != FALSE;
  }
};

}  // namespace

Desktop& SystemDesktop() {
  static SystemDesktopCalls desktop;
  return desktop;
}
