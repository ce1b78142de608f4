// The About box and the context help of the real program, driven as a user would under Wine.
// Help.* runs against coilcalc.exe; HelpHooked.* against coilcalc_hooked.exe, whose test hooks
// raise help requests on any control and report each one the dialog has answered.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_ids.h"
#include "driver.h"
#include "expected_texts.h"
#include "test_hook_messages.h"
#include "user_input.h"

namespace {

constexpr DWORD BOX_TIMEOUT_MS = 5000;

// Every control's text and check mark: what "nothing else changes" compares.
struct Snapshot {
  std::vector<std::string> texts;
  std::vector<DWORD_PTR> checks;
  bool operator==(const Snapshot&) const = default;
};

const int allIds[] = {2200, 2201, 2009, 2100, 2202, 2204, 2205, 2203, 2012, 2001, 2002, 2003, 2011,
                      2005, 2006, 2007, 2008, 2004, 2050, 2051, 2052, 2053, 2054, 2057, 2010};

const expected::Lines& HelpLinesOf(int id) {
  if (const expected::Lines* lines = expected::HelpLinesOf(id)) return *lines;
  static const expected::Lines none;
  ADD_FAILURE() << "no help expected for " << id;
  return none;
}

class Help : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartProgram(program)) << "no dialog from " << ProgramPath();
  }

  // Unless the test has failed already, every box is closed and "Quit!" ends the program
  // with exit code 0.
  void TearDown() override {
    if (program.dialog != nullptr && !HasFailure()) {
      EXPECT_TRUE(OpenBoxes(program).empty()) << "a message box was left open";
      Click(Control(IDC_QUIT));
      DWORD exitCode = 1;
      EXPECT_TRUE(WaitForExit(program, 10000, &exitCode));
      EXPECT_EQ(exitCode, 0u);
    }
    StopProgram(program);
  }

  HWND Control(int id) const { return ControlOf(program, id); }

  Snapshot TakeSnapshot() const {
    Snapshot s;
    for (int id : allIds) {
      s.texts.push_back(ReadText(Control(id)));
      DWORD_PTR check = 0;
      SendMessageTimeoutA(Control(id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &check);
      s.checks.push_back(check);
    }
    return s;
  }

  // The one box that the last action opened, checked for what every help box has, then
  // closed. Returns its text.
  std::string TakeBox(const std::string& caption) {
    MessageBoxInfo box;
    if (!WaitForMessageBox(program, box, BOX_TIMEOUT_MS)) {
      ADD_FAILURE() << "no message box";
      return {};
    }
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.buttons, 1);
    EXPECT_EQ(box.okButtons, 1);
    EXPECT_TRUE(box.icon);
    EXPECT_EQ(box.owner, nullptr);
    // Task-modal: the dialog takes no input while the box is up.
    EXPECT_TRUE(box.dialogDisabled);
    EXPECT_EQ(OpenBoxes(program).size(), 1u);
    EXPECT_TRUE(DismissMessageBox(program, box, BOX_TIMEOUT_MS));
    // The dialog is enabled again once the box has returned, a moment after it is gone.
    const DWORD start = GetTickCount();
    while (!IsWindowEnabled(program.dialog) && GetTickCount() - start < BOX_TIMEOUT_MS) Sleep(1);
    EXPECT_TRUE(IsWindowEnabled(program.dialog));
    return box.text;
  }

  // Gives the control the keyboard focus the way a user would: a click into a field or a
  // result line; a button or option is pressed and the mouse slides off before it is
  // released, so nothing is clicked.
  void FocusByMouse(int id) {
    SetForegroundWindow(program.dialog);
    if (id >= IDC_QUIT) {
      PressAndSlideOff(Control(id));
    } else {
      ClickMiddle(Control(id));
    }
    const DWORD start = GetTickCount();
    while (FocusedControl(program) != Control(id) && GetTickCount() - start < 5000) Sleep(2);
    ASSERT_EQ(FocusedControl(program), Control(id)) << "focus on " << id;
  }

  Program program;
};

class HelpHooked : public Help {
 protected:
  void SetUp() override {
    Help::SetUp();
    helpRequest = RegisterWindowMessageA(HELP_REQUEST_MESSAGE);
    lastHelp = RegisterWindowMessageA(LAST_HELP_MESSAGE);
    // coilcalc.exe answers 0 to a message it does not know; the hooks answer -1 at first.
    ASSERT_EQ(SendToDialog(program, lastHelp, 0), -1) << ProgramPath() << " has no test hooks";
  }

  UINT helpRequest = 0;
  UINT lastHelp = 0;
};

TEST_F(Help, DialogHasTheTitleBarHelpButtonStyle) {
  EXPECT_NE(GetWindowLongA(program.dialog, GWL_EXSTYLE) & WS_EX_CONTEXTHELP, 0);
}

TEST_F(Help, AboutShowsTheUsageTextOnEveryClickAndChangesNothingElse) {
  const std::string instructions = expected::JoinCrLf(expected::AboutLines());
  // Something to lose: entries, millimetres, an inductance unit and the results of a solve.
  Click(Control(IDC_UNIT_MM));
  WriteText(Control(IDC_DIAMETER), "25");
  WriteText(Control(IDC_HEIGHT), "50");
  WriteText(Control(IDC_TURNS), "25");
  WriteText(Control(IDC_INDUCTANCE), "7");
  WriteText(Control(IDC_INDUCTANCE_UNIT), "mH");
  Click(Control(IDC_SOLVE_INDUCTANCE));
  Settle(program);
  ASSERT_TRUE(OpenBoxes(program).empty());
  const Snapshot before = TakeSnapshot();
  ASSERT_NE(ReadText(Control(IDC_WIRE_LENGTH)), "Wire Length: ") << "the solve showed nothing";

  for (int click = 1; click <= 3; ++click) {
    Click(Control(IDC_ABOUT));
    EXPECT_EQ(TakeBox("About this program"), instructions) << "click " << click;
    EXPECT_TRUE(TakeSnapshot() == before) << "click " << click;
  }
  // A real mouse click does the same as the button's own message.
  SetForegroundWindow(program.dialog);
  EXPECT_TRUE(ClickButtonWithMouse(Control(IDC_ABOUT)));
  EXPECT_EQ(TakeBox("About this program"), instructions);
  EXPECT_TRUE(TakeSnapshot() == before);
}

TEST_F(Help, F1OnEachFieldAndResultLineShowsItsHelp) {
  const int focusable[] = {IDC_DIAMETER,    IDC_HEIGHT,    IDC_TURNS,       IDC_INDUCTANCE,
                           IDC_WIRE_LENGTH, IDC_WIRE_SIZE, IDC_CAPACITANCE, IDC_RESONANCE};
  for (int id : focusable) {
    FocusByMouse(id);
    PressKey(VK_F1);
    EXPECT_EQ(TakeBox("What's This?"), expected::JoinCrLf(HelpLinesOf(id))) << "F1 on " << id;
  }
  // The keyboard way to a field gives the same: Tab from the diameter field to the height.
  FocusByMouse(IDC_DIAMETER);
  PressKey(VK_TAB);
  const DWORD start = GetTickCount();
  while (FocusedControl(program) != Control(IDC_HEIGHT) && GetTickCount() - start < 5000) Sleep(2);
  PressKey(VK_F1);
  EXPECT_EQ(TakeBox("What's This?"), expected::JoinCrLf(HelpLinesOf(IDC_HEIGHT)));
}

// F1 must reach the dialog (the hooks see the request answered) and still show nothing.
TEST_F(HelpHooked, F1OnTheUnitBoxButtonsAndOptionsShowsNothing) {
  const int withoutHelp[] = {IDC_INDUCTANCE_UNIT, IDC_QUIT,        IDC_ABOUT,  IDC_SOLVE_INDUCTANCE,
                             IDC_SOLVE_TURNS,     IDC_UNIT_INCHES, IDC_UNIT_MM};
  for (int id : withoutHelp) {
    const Snapshot before = TakeSnapshot();
    FocusByMouse(id);
    const LRESULT earlier = SendToDialog(program, lastHelp, 0);
    PressKey(VK_F1);
    const DWORD start = GetTickCount();
    LRESULT answered = earlier;
    while (answered == earlier && OpenBoxes(program).empty() && GetTickCount() - start < 5000) {
      Sleep(2);
      answered = SendToDialog(program, lastHelp, 0);
    }
    EXPECT_TRUE(OpenBoxes(program).empty()) << "F1 on " << id << " showed a box";
    MessageBoxInfo box;
    while (FindMessageBox(program, box)) DismissMessageBox(program, box, BOX_TIMEOUT_MS);
    // The request names the window with the focus: the unit box's inner edit for the box.
    EXPECT_EQ(answered, GetDlgCtrlID(FocusedWindow(program))) << "F1 on " << id;
    EXPECT_NE(answered, earlier) << "F1 on " << id << " never reached the dialog";
    // The mouse slid off, so nothing was pressed.
    EXPECT_TRUE(TakeSnapshot() == before) << "F1 on " << id;
  }
}

TEST_F(HelpHooked, HelpOnEachLabelFieldAndResultLineShowsItsText) {
  for (const expected::Help& help : expected::HelpTexts()) {
    for (int id : help.ids) {
      PostMessageA(program.dialog, helpRequest, static_cast<WPARAM>(id), 0);
      EXPECT_EQ(TakeBox("What's This?"), expected::JoinCrLf(help.lines)) << "help on " << id;
      EXPECT_EQ(SendToDialog(program, lastHelp, 0), id);
    }
  }
}

TEST_F(HelpHooked, HelpOnEveryOtherItemShowsNothing) {
  std::vector<int> ids = expected::IdsWithoutHelp();
  // The dialog background and ids that no control has.
  for (int id : {0, -1, 1, 2, 2013, 2049, 2058, 65535}) ids.push_back(id);
  // Requests are handled in the order they were posted: once the box of the diameter field,
  // asked for last, is up, every request before it has been answered without one.
  for (int id : ids) PostMessageA(program.dialog, helpRequest, static_cast<WPARAM>(id), 0);
  PostMessageA(program.dialog, helpRequest, IDC_DIAMETER, 0);
  EXPECT_EQ(TakeBox("What's This?"), expected::JoinCrLf(HelpLinesOf(IDC_DIAMETER)));
  EXPECT_TRUE(WaitUntilIdle(program));
  EXPECT_TRUE(OpenBoxes(program).empty());
}

}  // namespace
