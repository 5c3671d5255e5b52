// Tells the user why a pronunciation could not be registered.
#pragma once

#include "framework/win32.h"
#include "rows/dictionary_rewrite.h"

// A message box owned by `owner`, in Japanese like the dialogs: the full path
// of the file whose step was refused, the system's reason and what helps; or,
// for a row no longer in the dictionary, that the word must be looked up again.
void ShowRegistrationFailure(HWND owner, const rows::RegisterOutcome& outcome);
