// Tells the user why a pronunciation could not be registered.
#pragma once

#include "dictionary/file_system.h"
#include "framework/win32.h"

// A message box owned by `owner`, in Japanese like the dialogs: the file whose
// step was refused and the system's reason for it.
void ShowRegistrationFailure(HWND owner, const dictionary::FileFailure& failure);
