// How every message loop of the program handles one message: keys aimed at a
// dialog (the modal one or any modeless one, such as the result window) go
// through IsDialogMessage of that dialog, so Enter, Escape and Tab work there.
#pragma once

#include "framework/win32.h"

namespace fw {

void DispatchLoopMessage(MSG& msg);

// Handles the messages waiting in the queue without blocking; false after WM_QUIT
// (which is posted again for the loop that owns it).
bool PumpWaitingMessages();

}  // namespace fw
