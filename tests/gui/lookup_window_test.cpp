// Real lookups through the real lists: rows, sizes and the result window's
// rectangle at the cursor.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/write_translate_dialog.h"
#include "tests/gui/gui_test_support.h"

using gui_test::Cp932;
using gui_test::RunModal;
using gui_test::ScratchDirectory;

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
void PrintTo(const RECT& r, std::ostream* out) {
  *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
void PrintTo(const SIZE& s, std::ostream* out) { *out << s.cx << " x " << s.cy; }

namespace {

std::vector<std::string> Rows(HWND list) {
  std::vector<std::string> rows;
  const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) rows.push_back(gui_test::RowText(list, i));
  return rows;
}

RECT Placement(HWND hWnd) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  ::GetWindowPlacement(hWnd, &placement);
  return placement.rcNormalPosition;
}

SIZE Size(const RECT& rect) { return SIZE{rect.right - rect.left, rect.bottom - rect.top}; }

int Extent(HWND list) { return static_cast<int>(::SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0)); }

void Fill(HWND list, const char* row) {
  ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
  ::SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(row));
}

class LookupWindowTest : public ::testing::Test {
 protected:
  // Runs `body` with the main dialog up and the dictionary `bytes` in the working directory.
  void WithDialog(const std::string& bytes, const std::function<void()>& body) {
    if (!bytes.empty()) scratch.Write("RAdoro.txt", bytes);
    RunModal(dialog, [&] {
      window = gui_test::ResultWindowOf(dialog.m_hWnd);
      for (int i = 0; i < 5; ++i) lists[i] = ::GetDlgItem(window, IDC_LIST0 + i);
      body();
    });
  }
  void SetRelated(bool on) {
    ::SendMessageA(dialog.GetDlgItem(IDC_RELATED), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
  }

  ScratchDirectory scratch;
  CWriteTranslateDialog dialog;
  HWND window = nullptr;
  HWND lists[5] = {};
};

TEST_F(LookupWindowTest, FillsTheFirstListAndPutsTheWindowAtTheCursor) {
  const std::string meaning = Cp932("走る");
  WithDialog("run\t" + meaning + "\r\nRun\tb\r\nrunning\tc;hidden\r\nRUNAWAY\td\r\nrerun\te\r\n", [&] {
    ::SetCursorPos(100, 200);
    dialog.LookupAndShow("run");
    EXPECT_EQ((std::vector<std::string>{"run\t" + meaning + "\n", "Run\tb\n", "running\tc", "RUNAWAY\td\n"}),
              Rows(lists[0]));
    const SIZE list = Size(Placement(lists[0]));
    EXPECT_EQ(195, list.cx);
    EXPECT_EQ(12 * 4 + 20, list.cy);
    EXPECT_EQ(10 * 10, Extent(lists[0]));  // "RUNAWAY\td\n" and "run\t走る\n" are 10 bytes
    EXPECT_TRUE(::IsWindowVisible(window));
    const RECT placed = Placement(window);
    EXPECT_EQ(100, placed.left);
    EXPECT_EQ(200, placed.top);
    RECT onScreen;  // the placement is in workspace coordinates; the corner lands at the cursor
    ::GetWindowRect(window, &onScreen);
    EXPECT_EQ(100, onScreen.left);
    EXPECT_EQ(200, onScreen.top);
    EXPECT_EQ(209, Size(placed).cx);
    EXPECT_EQ(12 * 4 + 70, Size(placed).cy);

    // The next lookup moves and resizes the shown window.
    ::SetCursorPos(40, 30);
    dialog.LookupAndShow("zzz");
    EXPECT_EQ((std::vector<std::string>{"Unknown"}), Rows(lists[0]));
    EXPECT_EQ(70, Extent(lists[0]));
    EXPECT_EQ(32, Size(Placement(lists[0])).cy);
    EXPECT_EQ((RECT{40, 30, 40 + 209, 30 + 82}), Placement(window));
  });
}

TEST_F(LookupWindowTest, RelatedWordsFillListsInTheOrderFoundAndLeaveTheRestAlone) {
  WithDialog("construct\ta\r\ninstruct\tb\r\ndestruct\tc\r\ndestructive\td\r\n", [&] {
    Fill(lists[1], "old 1");
    Fill(lists[3], "old 3");
    Fill(lists[4], "old 4");
    SetRelated(true);
    ::SetCursorPos(10, 10);
    dialog.LookupAndShow("construct");
    EXPECT_EQ((std::vector<std::string>{"construct\ta\n"}), Rows(lists[0]));
    EXPECT_EQ((std::vector<std::string>{"instruct\tb\n"}), Rows(lists[1]));
    EXPECT_EQ((std::vector<std::string>{"destruct\tc\n", "destructive\td\n"}), Rows(lists[2]));
    // The last candidates failed in list 1003; list 1004 was never reached.
    EXPECT_EQ((std::vector<std::string>{"Unknown"}), Rows(lists[3]));
    EXPECT_EQ((std::vector<std::string>{"old 4"}), Rows(lists[4]));
    EXPECT_EQ((RECT{10, 10, 10 + 3 * 209, 10 + 2 * 12 + 70}), Placement(window));

    SetRelated(false);
    dialog.LookupAndShow("instruct");
    EXPECT_EQ((std::vector<std::string>{"destruct\tc\n", "destructive\td\n"}), Rows(lists[2]));
    EXPECT_EQ(209, Size(Placement(window)).cx);
  });
}

TEST_F(LookupWindowTest, AnEmptyQueryTouchesNothing) {
  WithDialog("a\tb\r\n", [&] {
    Fill(lists[0], "kept");
    dialog.LookupAndShow("\t ");  // a TAB, then a space: both trimmed
    EXPECT_EQ((std::vector<std::string>{"kept"}), Rows(lists[0]));
    EXPECT_FALSE(::IsWindowVisible(window));
  });
}

TEST_F(LookupWindowTest, WithoutADictionaryTheListIsEmptiedAndKeepsItsSize) {
  WithDialog("", [&] {
    Fill(lists[0], "earlier");
    const RECT before = Placement(lists[0]);
    ::SetCursorPos(50, 60);
    dialog.LookupAndShow("word");
    EXPECT_TRUE(Rows(lists[0]).empty());
    EXPECT_EQ(before, Placement(lists[0]));
    EXPECT_EQ((RECT{50, 60, 50 + 209, 60 + 82}), Placement(window));
    EXPECT_TRUE(::IsWindowVisible(window));
  });
}

TEST_F(LookupWindowTest, TwelveMatchesSizeTheListForTenRows) {
  std::string bytes;
  for (int i = 0; i < 12; ++i) bytes += "word" + std::to_string(i) + "\tx\r\n";
  WithDialog(bytes, [&] {
    ::SetCursorPos(10, 20);
    dialog.LookupAndShow("WORDs");  // found by its stem "WORD", whatever the case
    EXPECT_EQ(12u, Rows(lists[0]).size());
    EXPECT_EQ((SIZE{195, 140}), Size(Placement(lists[0])));
    EXPECT_EQ(10 * 9, Extent(lists[0]));  // "word10\tx\n"
    EXPECT_EQ((RECT{10, 20, 10 + 209, 20 + 190}), Placement(window));
  });
}

// A long list fills between messages, the first screen at once; a lookup
// started before its rows are all in takes the list over; once the rows
// are in, the list holds exactly those of the last lookup. More rows than a
// list empties at once, so the earlier rows leave a slice at a time.
TEST_F(LookupWindowTest, ALongListFillsBetweenMessagesAndTheNextLookupTakesItOver) {
  constexpr int kLines = 40000;
  std::string text;
  std::vector<std::string> many;
  for (int i = 0; i < kLines; ++i) {
    many.push_back("many" + std::to_string(i) + "\tmeaning\n");
    text += "many" + std::to_string(i) + "\tmeaning\r\n";
  }
  WithDialog(text + "few\tone\r\n", [&] {
    const auto filled = [&] { return gui_test::PumpUntil([&] { return dialog.RowsPending() == 0; }, 60000); };
    for (int round = 0; round < 2; ++round) {
      dialog.LookupAndShow("many");
      EXPECT_TRUE(::IsWindowVisible(window));
      const std::vector<std::string> shown = Rows(lists[0]);  // the first screen on top of whatever else
      ASSERT_GE(shown.size(), 10u);
      EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.begin() + 10),
                std::vector<std::string>(many.begin(), many.begin() + 10));
      ASSERT_TRUE(filled());
      EXPECT_EQ(many, Rows(lists[0]));
      EXPECT_EQ(10 * 18, Extent(lists[0]));  // "many39999\tmeaning\n"
      EXPECT_EQ(12 * 10 + 20, Size(Placement(lists[0])).cy);
    }
    dialog.LookupAndShow("many");
    dialog.LookupAndShow("few");
    ASSERT_TRUE(filled());
    EXPECT_EQ(std::vector<std::string>{"few\tone\n"}, Rows(lists[0]));
    EXPECT_EQ(10 * 8, Extent(lists[0]));
  });
}

}  // namespace
