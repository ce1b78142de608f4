// The About box and the context help of the real program, driven as a user would under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../help/expected_texts.h"
#include "control_ids.h"
#include "test_hook_messages.h"
#include "user_input.h"

namespace {

constexpr int BOX_TIMEOUT_MS = 3000;
// How long a help request may take to show a box it should not show.
constexpr int NO_BOX_WAIT_MS = 3000;

// Every control's text and check state: what "nothing else changes" compares.
struct Snapshot {
  std::vector<std::string> texts;
  std::vector<LRESULT> checks;
  bool operator==(const Snapshot&) const = default;
};

const int allIds[] = {2200, 2201, 2009, 2100, 2202, 2204, 2205, 2203, 2012, 2001, 2002, 2003, 2011,
                      2005, 2006, 2007, 2008, 2004, 2050, 2051, 2052, 2053, 2054, 2057, 2010};

Snapshot TakeSnapshot(HWND dialog) {
  Snapshot s;
  for (int id : allIds) {
    const HWND control = GetDlgItem(dialog, id);
    s.texts.push_back(ControlText(control));
    DWORD_PTR check = 0;
    SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &check);
    s.checks.push_back(static_cast<LRESULT>(check));
  }
  return s;
}

class HelpE2e : public ::testing::Test {
 protected:
  void Start(const char* path) {
    ASSERT_TRUE(StartProgram(path, program_)) << path;
    BringToFront(program_.dialog);
  }
  void TearDown() override {
    if (program_.dialog == nullptr) return;
    EXPECT_TRUE(OpenBoxes(program_).empty()) << "a message box was left open";
    for (HWND box : OpenBoxes(program_)) CloseBox(box, BOX_TIMEOUT_MS);
    DWORD exitCode = 1;
    EXPECT_TRUE(QuitProgram(program_, exitCode));
    EXPECT_EQ(exitCode, 0u);
  }

  // The one box that the last action opened: checked for what every box of the help has,
  // then closed. Returns its text.
  std::string TakeBox(const std::string& caption) {
    const HWND box = WaitForBox(program_, BOX_TIMEOUT_MS);
    if (box == nullptr) {
      ADD_FAILURE() << "no message box";
      return {};
    }
    const MessageBoxView view = ReadBox(box);
    EXPECT_EQ(view.caption, caption);
    EXPECT_EQ(view.buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(view.buttonIds, std::vector<int>{IDOK});
    EXPECT_TRUE(view.hasIcon);
    EXPECT_EQ(view.owner, nullptr);
    // Task-modal: the dialog takes no input while the box is up.
    EXPECT_FALSE(IsWindowEnabled(program_.dialog));
    EXPECT_EQ(OpenBoxes(program_).size(), 1u);
    EXPECT_TRUE(CloseBox(box, BOX_TIMEOUT_MS));
    // The dialog is enabled again once the box has returned, a moment after it is gone.
    const DWORD start = GetTickCount();
    while (!IsWindowEnabled(program_.dialog) && GetTickCount() - start < BOX_TIMEOUT_MS) Sleep(1);
    EXPECT_TRUE(IsWindowEnabled(program_.dialog));
    return view.text;
  }

  HWND Control(int id) { return GetDlgItem(program_.dialog, id); }

  // Puts the keyboard focus on the control the way a user would: a click into a field or a
  // result line; on buttons and options the button is pressed, the mouse slides off and is
  // released there, so nothing is clicked.
  void FocusByMouse(int id) {
    BringToFront(program_.dialog);
    const bool pushable = id >= IDC_QUIT;
    if (pushable) {
      PressAndSlideOff(Control(id));
    } else {
      ClickMiddle(Control(id));
    }
    const DWORD start = GetTickCount();
    while (FocusedChild(program_.dialog) != Control(id) && GetTickCount() - start < 3000) {
      Sleep(5);
    }
    ASSERT_EQ(FocusedChild(program_.dialog), Control(id)) << "focus on " << id;
  }

  RunningProgram program_;
};

TEST_F(HelpE2e, DialogHasTheTitleBarHelpButtonStyle) {
  Start(COILCALC_EXE);
  EXPECT_NE(GetWindowLongA(program_.dialog, GWL_EXSTYLE) & WS_EX_CONTEXTHELP, 0);
}

TEST_F(HelpE2e, AboutShowsTheManualAgainOnEveryClickAndChangesNothing) {
  Start(COILCALC_EXE);
  const std::string manual = expected::JoinCrLf(expected::aboutLines);
  // Something to lose: entries, a unit choice and results.
  SetControlText(Control(IDC_DIAMETER), "1");
  SetControlText(Control(IDC_HEIGHT), "2");
  SetControlText(Control(IDC_TURNS), "25");
  SetControlText(Control(IDC_INDUCTANCE_UNIT), "mH");
  ClickButton(Control(IDC_SOLVE_INDUCTANCE));
  WaitUntilIdle(program_);
  ASSERT_TRUE(OpenBoxes(program_).empty());
  const Snapshot before = TakeSnapshot(program_.dialog);
  ASSERT_NE(before.texts[13], "Wire Length: ") << "the solve left no result to keep";

  for (int click = 1; click <= 3; ++click) {
    ClickButton(Control(IDC_ABOUT));
    EXPECT_EQ(TakeBox("About this program"), manual) << "click " << click;
    WaitUntilIdle(program_);
    EXPECT_TRUE(TakeSnapshot(program_.dialog) == before) << "click " << click;
  }
  // A real mouse click does the same as the button message.
  BringToFront(program_.dialog);
  EXPECT_TRUE(ClickButtonWithMouse(Control(IDC_ABOUT)));
  EXPECT_EQ(TakeBox("About this program"), manual);
  WaitUntilIdle(program_);
  EXPECT_TRUE(TakeSnapshot(program_.dialog) == before);
}

TEST_F(HelpE2e, F1OnEachFieldAndResultLineShowsItsHelp) {
  Start(COILCALC_EXE);
  const int focusable[] = {IDC_DIAMETER,    IDC_HEIGHT,    IDC_TURNS,       IDC_INDUCTANCE,
                           IDC_WIRE_LENGTH, IDC_WIRE_SIZE, IDC_CAPACITANCE, IDC_RESONANCE};
  for (int id : focusable) {
    const expected::Lines* lines = nullptr;
    for (const expected::HelpCase& c : expected::helpCases) {
      if (c.id == id) lines = c.lines;
    }
    ASSERT_NE(lines, nullptr);
    FocusByMouse(id);
    PressKey(VK_F1);
    EXPECT_EQ(TakeBox("What's This?"), expected::JoinCrLf(*lines)) << "F1 on " << id;
  }
}

// On the test build, which reports each help request the dialog has finished: F1 must reach
// the dialog and still show nothing.
TEST_F(HelpE2e, F1OnTheUnitBoxButtonsAndOptionsShowsNothing) {
  Start(COILCALC_HOOKED_EXE);
  const UINT lastHelp = RegisterWindowMessageA(LAST_HELP_MESSAGE);
  const int withoutHelp[] = {IDC_INDUCTANCE_UNIT, IDC_QUIT,        IDC_ABOUT,  IDC_SOLVE_INDUCTANCE,
                             IDC_SOLVE_TURNS,     IDC_UNIT_INCHES, IDC_UNIT_MM};
  for (int id : withoutHelp) {
    const Snapshot before = TakeSnapshot(program_.dialog);
    FocusByMouse(id);
    const LRESULT earlier = SendToDialog(program_, lastHelp, 0);
    PressKey(VK_F1);
    // The help request ends in the dialog without a box: wait until the dialog has answered it.
    const DWORD start = GetTickCount();
    LRESULT answered = earlier;
    while (answered == earlier && OpenBoxes(program_).empty() &&
           GetTickCount() - start < NO_BOX_WAIT_MS) {
      Sleep(5);
      answered = SendToDialog(program_, lastHelp, 0);
    }
    EXPECT_TRUE(OpenBoxes(program_).empty()) << "F1 on " << id << " showed a box";
    for (HWND box : OpenBoxes(program_)) CloseBox(box, BOX_TIMEOUT_MS);
    EXPECT_NE(answered, earlier) << "F1 on " << id << " never reached the dialog";
    // The unit box's inner edit has the focus there, and the request names the edit.
    EXPECT_EQ(answered, GetDlgCtrlID(FocusedWindow(program_.dialog))) << "F1 on " << id;

    // The mouse slid off, so nothing was pressed.
    EXPECT_TRUE(TakeSnapshot(program_.dialog) == before) << "F1 on " << id;
  }
}

TEST_F(HelpE2e, HelpOnLabelsGivesTheTextOfTheirField) {
  Start(COILCALC_HOOKED_EXE);
  const UINT request = RegisterWindowMessageA(HELP_REQUEST_MESSAGE);
  for (const expected::HelpCase& c : expected::helpCases) {
    PostMessageA(program_.dialog, request, static_cast<WPARAM>(c.id), 0);
    EXPECT_EQ(TakeBox("What's This?"), expected::JoinCrLf(*c.lines)) << "help on " << c.id;
  }
}

TEST_F(HelpE2e, HelpOnItemsWithoutHelpShowsNothing) {
  Start(COILCALC_HOOKED_EXE);
  const UINT request = RegisterWindowMessageA(HELP_REQUEST_MESSAGE);
  std::vector<int> ids(std::begin(expected::idsWithoutHelp), std::end(expected::idsWithoutHelp));
  // The dialog background and ids that no control has.
  for (int id : {0, -1, 1, 2, 2013, 2049, 2058, 65535}) ids.push_back(id);
  // Requests are handled in the order they were posted: once the box of the diameter field,
  // asked for last, is up, every request before it has been answered.
  for (int id : ids) PostMessageA(program_.dialog, request, static_cast<WPARAM>(id), 0);
  PostMessageA(program_.dialog, request, IDC_DIAMETER, 0);
  EXPECT_EQ(TakeBox("What's This?"), expected::JoinCrLf(expected::diameterHelp));
  WaitUntilIdle(program_);
  EXPECT_TRUE(OpenBoxes(program_).empty());
}

}  // namespace
