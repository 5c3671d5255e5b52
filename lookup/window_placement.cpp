#include "lookup/window_placement.h"

namespace lookup {

Rect PlacementAtCursor(Point cursor, const Rect& monitor, const Rect& workArea, int32_t width,
                       int32_t height) {
  const int32_t left = cursor.x - (workArea.left - monitor.left);
  const int32_t top = cursor.y - (workArea.top - monitor.top);
  return Rect{left, top, left + width, top + height};
}

}  // namespace lookup
