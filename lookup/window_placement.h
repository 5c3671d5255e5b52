// Where the result window goes: its top-left corner at the mouse cursor.
#pragma once

#include <cstdint>

namespace lookup {

struct Point {
  int32_t x = 0;
  int32_t y = 0;
};

struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

// The restored rectangle (a window placement's rcNormalPosition) that puts a
// window of `width` x `height` with its top-left corner at `cursor`. The
// cursor is in screen coordinates; the placement is in workspace coordinates,
// which begin at the top-left of the work area of the monitor the cursor is
// on (`monitor`, with its `workArea`, both in screen coordinates), so a
// taskbar at the top or left of that monitor shifts them. The rectangle is
// not kept inside the screen.
Rect PlacementAtCursor(Point cursor, const Rect& monitor, const Rect& workArea, int32_t width,
                       int32_t height);

}  // namespace lookup
