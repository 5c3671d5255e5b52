#include "lookup/window_placement.h"

#include <gtest/gtest.h>

#include <ostream>

namespace lookup {

bool operator==(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
void PrintTo(const Rect& r, std::ostream* out) {
  *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

// A 1920 x 1080 primary monitor with a 40-pixel taskbar at each edge in turn,
// and a 1280 x 1024 monitor to its left, at negative coordinates.
TEST(PlacementAtCursorTest, TheCornerLandsAtTheCursorWhereverTheTaskbarIs) {
  const Rect primary{0, 0, 1920, 1080};
  const Rect left{-1280, -200, 0, 824};
  struct Case {
    const char* what;
    Point cursor;
    Rect monitor;
    Rect workArea;
    Rect placement;
  };
  const Case cases[] = {
      {"taskbar at the bottom", {500, 300}, primary, {0, 0, 1920, 1040}, {500, 300, 709, 382}},
      {"taskbar at the right", {500, 300}, primary, {0, 0, 1880, 1080}, {500, 300, 709, 382}},
      {"taskbar at the top", {500, 300}, primary, {0, 40, 1920, 1080}, {500, 260, 709, 342}},
      {"taskbar at the left", {500, 300}, primary, {40, 0, 1920, 1080}, {460, 300, 669, 382}},
      {"cursor on the taskbar at the top", {500, 10}, primary, {0, 40, 1920, 1080}, {500, -30, 709, 52}},
      {"second monitor, no taskbar", {-1000, -100}, left, left, {-1000, -100, -791, -18}},
      {"second monitor, taskbar at its top",
       {-1000, -100},
       left,
       {-1280, -160, 0, 824},
       {-1000, -140, -791, -58}},
      {"second monitor, taskbar at its left",
       {-1000, -100},
       left,
       {-1240, -200, 0, 824},
       {-1040, -100, -831, -18}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(PlacementAtCursor(c.cursor, c.monitor, c.workArea, 209, 82), c.placement);
  }
}

}  // namespace
}  // namespace lookup
