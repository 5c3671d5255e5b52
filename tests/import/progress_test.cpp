#include "progress.h"

#include <gtest/gtest.h>

#include <sstream>

namespace import {
namespace {

using namespace std::chrono_literals;

TEST(ProgressTest, ShowsOnATerminalAfterASecondAndRedrawsInPlace) {
  Progress::Clock::time_point now{};
  std::ostringstream out;
  {
    Progress progress(out, true, [&] { return now; });
    progress.Update(10, 1, 10);
    now += 999ms;
    progress.Update(20, 2, 10);
    EXPECT_EQ(out.str(), "");  // quick work shows nothing
    now += 1ms;
    progress.Update(500, 5, 10);
    EXPECT_EQ(out.str(), "\rimporting: 500 entries, 50%\033[K");
    now += 50ms;
    progress.Update(600, 6, 10);
    now += 50ms;
    progress.Update(700, 7, 7);
    EXPECT_EQ(out.str(), "\rimporting: 500 entries, 50%\033[K\rimporting: 700 entries, 100%\033[K");
    out.str("");
    progress.Clear();
    progress.Clear();
    EXPECT_EQ(out.str(), "\r\033[K");
    out.str("");
    now += 1s;
    progress.Update(800, 0, 0);
  }
  EXPECT_EQ(out.str(), "\rimporting: 800 entries\033[K\r\033[K");  // cleared when it ends
}

TEST(ProgressTest, NothingWhenNotATerminal) {
  Progress::Clock::time_point now{};
  std::ostringstream out;
  {
    Progress progress(out, false, [&] { return now; });
    now += 10s;
    progress.Update(500, 5, 10);
    progress.Clear();
  }
  EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace import
