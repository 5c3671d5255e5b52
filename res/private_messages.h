// Messages the main dialog accepts from its tray icon and from any window.
#pragma once

#include "framework/win32.h"

inline constexpr UINT WM_TRAY_CALLBACK = WM_USER + 100;     // the tray icon's notifications
inline constexpr UINT WM_LOOKUP_CLIPBOARD = WM_USER + 101;  // look up the clipboard text; answers 1
inline constexpr UINT WM_SHOW_MAIN_DIALOG = WM_USER + 102;  // a second start asks the first to show itself
// Rows still to go into the result lists, which fill between other messages;
// 0 once all are in. With wParam 1, one more while the dictionary is still
// being indexed for the next lookups.
inline constexpr UINT WM_ROWS_PENDING = WM_USER + 103;
