// The dialog from the keyboard: the Tab order, Escape, and Enter on a focused push button.
#include <algorithm>
#include <vector>

#include "control_ids.h"
#include "expected_texts.h"
#include "program_test.h"

namespace {

// Tab stops, in the order Tab visits them; the cycle starts again after the last.
const std::vector<int> TAB_CYCLE = {IDC_UNIT_INCHES, IDC_SOLVE_INDUCTANCE, IDC_SOLVE_TURNS,
                                    IDC_DIAMETER,    IDC_HEIGHT,           IDC_TURNS,
                                    IDC_INDUCTANCE};

class Keyboard : public ProgramTest {
 protected:
  int FocusedId() const {
    const HWND focus = FocusedControl(program);
    return focus != nullptr ? GetDlgCtrlID(focus) : 0;
  }

  // Presses a key and waits until the focus has moved (or gives up after a second).
  int PressAndFollowFocus(WORD key) {
    const int before = FocusedId();
    PressKeys(program, {key});
    for (int waited = 0; waited < 1000 && FocusedId() == before; waited += 5) Sleep(5);
    return FocusedId();
  }

  // Tabs until the control has the focus; false if Tab never reaches it.
  bool TabTo(int id) {
    for (int i = 0; i <= static_cast<int>(TAB_CYCLE.size()) && FocusedId() != id; ++i) {
      PressAndFollowFocus(VK_TAB);
    }
    return FocusedId() == id;
  }

  bool WaitForNoChange(int id, const std::string& text, DWORD ms) {
    Sleep(ms);
    Settle(program);
    return Text(id) == text;
  }
};

TEST_F(Keyboard, TabVisitsTheSevenStopsInOrder) {
  ASSERT_TRUE(SetForegroundWindow(program.dialog));
  std::vector<int> visited;
  for (size_t i = 0; i < 2 * TAB_CYCLE.size(); ++i) visited.push_back(PressAndFollowFocus(VK_TAB));
  // Wherever the platform put the first focus, Tab walks the cycle from there.
  const auto start = std::find(TAB_CYCLE.begin(), TAB_CYCLE.end(), visited[0]);
  ASSERT_NE(start, TAB_CYCLE.end()) << "Tab stopped at id " << visited[0];
  size_t position = static_cast<size_t>(start - TAB_CYCLE.begin());
  for (size_t i = 0; i < visited.size(); ++i) {
    EXPECT_EQ(visited[i], TAB_CYCLE[(position + i) % TAB_CYCLE.size()]) << "Tab press " << i + 1;
  }
  // Shift+Tab is not needed by the program, but Tab must never land on these.
  for (const int skipped : {IDC_UNIT_MM, IDC_QUIT, IDC_ABOUT, IDC_INDUCTANCE_UNIT, IDC_WIRE_LENGTH,
                            IDC_WIRE_SIZE, IDC_CAPACITANCE, IDC_RESONANCE}) {
    EXPECT_EQ(std::count(visited.begin(), visited.end(), skipped), 0) << "id " << skipped;
  }
}

TEST_F(Keyboard, EscapeLeavesTheDialogOpen) {
  ASSERT_TRUE(TabTo(IDC_DIAMETER));
  PressKeys(program, {VK_ESCAPE});
  Sleep(300);
  Settle(program);
  ASSERT_TRUE(TabTo(IDC_SOLVE_TURNS));
  PressKeys(program, {VK_ESCAPE});
  Sleep(300);
  Settle(program);
  EXPECT_EQ(WaitForSingleObject(program.info.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(IsWindowVisible(program.dialog));
  MessageBoxInfo box;
  EXPECT_FALSE(FindMessageBox(program, box));
}

TEST_F(Keyboard, EnterPressesTheFocusedPushButtonOnly) {
  ASSERT_TRUE(WriteText(Control(IDC_DIAMETER), "1"));
  ASSERT_TRUE(WriteText(Control(IDC_HEIGHT), "1"));
  ASSERT_TRUE(WriteText(Control(IDC_TURNS), "10"));

  // In an entry field Enter does nothing: there is no default button.
  ASSERT_TRUE(TabTo(IDC_TURNS));
  PressKeys(program, {VK_RETURN});
  EXPECT_TRUE(WaitForNoChange(IDC_RESONANCE, "Self-resonant at approximately:", 300));
  EXPECT_EQ(Text(IDC_TURNS), "10");

  ASSERT_TRUE(TabTo(IDC_SOLVE_INDUCTANCE));
  PressKeys(program, {VK_RETURN});
  const expected::Coil& coil = expected::CoilNamed("OneByOneInchTenTurns");
  EXPECT_TRUE(WaitForText(Control(IDC_RESONANCE), coil.results[6]));
  EXPECT_EQ(Text(IDC_INDUCTANCE), coil.results[0]);

  // Enter on the other solve button solves for the turns of the inductance just shown.
  ASSERT_TRUE(WriteText(Control(IDC_TURNS), ""));
  ASSERT_TRUE(TabTo(IDC_SOLVE_TURNS));
  PressKeys(program, {VK_RETURN});
  EXPECT_TRUE(WaitForText(Control(IDC_TURNS), " 10"));
}

}  // namespace
