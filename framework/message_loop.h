// How every message loop of the program handles one message: keys aimed at a
// dialog (the modal one or any modeless one, such as the result window) go
// through IsDialogMessage of that dialog, so Enter, Escape and Tab work there.
// Messages are taken in their Unicode form (GetMessageW, PeekMessageW): typed
// characters reach the windows whatever the system's code page.
#pragma once

#include "framework/win32.h"

namespace fw {

void DispatchLoopMessage(MSG& msg);

// Waits `ms` milliseconds handling every message meanwhile, as the loop that
// runs does: timers fire and windows paint. A WM_QUIT ends the wait and is
// posted again for that loop.
void WaitHandlingMessages(DWORD ms);

}  // namespace fw
