// Entry point of the GUI tests: an application object like the program's own,
// so dialogs without a parent find their owner as they do there.
#include <gtest/gtest.h>

#include "framework/win_app.h"

int main(int argc, char** argv) {
  ::InitCommonControls();
  CWinApp app;
  app.m_hInstance = ::GetModuleHandleA(nullptr);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
