#include "framework/message_loop.h"

namespace fw {

namespace {
bool IsDialogWindow(HWND hWnd) {
  return GetClassLongPtrA(hWnd, GCW_ATOM) == reinterpret_cast<ULONG_PTR>(WC_DIALOG);
}
}  // namespace

void DispatchLoopMessage(MSG& msg) {
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (root && IsDialogWindow(root) && IsDialogMessageW(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace fw
