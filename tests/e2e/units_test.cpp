// The length unit options, and the two ways the program ends.
#include <string>

#include "control_ids.h"
#include "expected_texts.h"
#include "program_test.h"
#include "user_input.h"

namespace {

const expected::Coil& ONE_INCH = expected::CoilNamed("OneByOneInchTenTurns");
const expected::Coil& ONE_INCH_IN_MM = expected::CoilNamed("OneByOneInchTenTurnsInMillimetres");

class Units : public ProgramTest {
 protected:
  void Press(int button) {
    Click(Control(button));
    Settle(program);
  }
  bool Checked(int id) const {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(Control(id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 3000, &state);
    return state == BST_CHECKED;
  }
  void ExpectClearedResults() const {
    EXPECT_EQ(Text(IDC_WIRE_LENGTH), "Wire Length: ");
    EXPECT_EQ(Text(IDC_WIRE_SIZE), "Maximum wire size (AWG):");
    EXPECT_EQ(Text(IDC_CAPACITANCE), "Stray Capacitance:  ");
    EXPECT_EQ(Text(IDC_RESONANCE), "Self-resonant at approximately:  ");
  }
  void ExpectUnit(const char* label, bool millimetres) const {
    EXPECT_EQ(Text(IDC_DIAMETER_UNIT), label);
    EXPECT_EQ(Text(IDC_HEIGHT_UNIT), label);
    EXPECT_EQ(Checked(IDC_UNIT_MM), millimetres);
    EXPECT_EQ(Checked(IDC_UNIT_INCHES), !millimetres);
  }
};

TEST_F(Units, SwitchBothWaysLeavesEntriesUnconvertedAndClearsResults) {
  ASSERT_TRUE(WriteText(Control(IDC_DIAMETER), "25.4"));
  ASSERT_TRUE(WriteText(Control(IDC_HEIGHT), "25.4"));
  ASSERT_TRUE(WriteText(Control(IDC_TURNS), "10"));
  Press(IDC_SOLVE_INDUCTANCE);
  ASSERT_EQ(Text(IDC_INDUCTANCE),
            " 51.38");  // a 25.4 x 25.4 inch coil: 25.4 times the 1 x 1 inch one
  const std::string inductance = Text(IDC_INDUCTANCE);

  Press(IDC_UNIT_MM);
  ExpectUnit(" mm", true);
  ExpectClearedResults();
  // Nothing is converted: the same texts, now read as millimetres.
  EXPECT_EQ(Text(IDC_DIAMETER), "25.4");
  EXPECT_EQ(Text(IDC_HEIGHT), "25.4");
  EXPECT_EQ(Text(IDC_TURNS), " 10");
  EXPECT_EQ(Text(IDC_INDUCTANCE), inductance);
  EXPECT_EQ(Text(IDC_INDUCTANCE_UNIT), "uH");
  Press(IDC_SOLVE_INDUCTANCE);
  EXPECT_EQ(Text(IDC_WIRE_LENGTH), ONE_INCH_IN_MM.results[3]);
  EXPECT_EQ(Text(IDC_INDUCTANCE), ONE_INCH_IN_MM.results[0]);

  Press(IDC_UNIT_INCHES);
  ExpectUnit(" inches", false);
  ExpectClearedResults();
  EXPECT_EQ(Text(IDC_DIAMETER), "25.4");
  EXPECT_EQ(Text(IDC_INDUCTANCE), ONE_INCH_IN_MM.results[0]);
  Press(IDC_SOLVE_INDUCTANCE);
  EXPECT_EQ(Text(IDC_INDUCTANCE), " 51.38");
}

TEST_F(Units, ClickingTheSelectedUnitStillClearsTheResults) {
  ASSERT_TRUE(WriteText(Control(IDC_DIAMETER), "1"));
  ASSERT_TRUE(WriteText(Control(IDC_HEIGHT), "1"));
  ASSERT_TRUE(WriteText(Control(IDC_TURNS), "10"));
  Press(IDC_SOLVE_INDUCTANCE);
  ASSERT_EQ(Text(IDC_WIRE_LENGTH), ONE_INCH.results[3]);

  Press(IDC_UNIT_INCHES);  // already selected
  ExpectUnit(" inches", false);
  ExpectClearedResults();
  EXPECT_EQ(Text(IDC_INDUCTANCE), ONE_INCH.results[0]);

  Press(IDC_UNIT_MM);
  Press(IDC_SOLVE_INDUCTANCE);
  ASSERT_EQ(Text(IDC_WIRE_LENGTH), "Wire Length:  34.557  mm");
  Press(IDC_UNIT_MM);  // again
  ExpectUnit(" mm", true);
  ExpectClearedResults();
}

TEST(Ending, QuitEndsTheProgramWithExitCodeZero) {
  Program program;
  ASSERT_TRUE(StartProgram(program));
  ASSERT_TRUE(WriteText(ControlOf(program, IDC_DIAMETER), "1"));
  Click(ControlOf(program, IDC_QUIT));
  DWORD exitCode = 1;
  EXPECT_TRUE(WaitForExit(program, 5000, &exitCode)) << "no question asked, no delay";
  EXPECT_EQ(exitCode, 0u);
  StopProgram(program);
}

TEST(Ending, SystemCloseEndsTheProgramLikeQuit) {
  Program program;
  ASSERT_TRUE(StartProgram(program));
  PostMessageA(program.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD exitCode = 1;
  EXPECT_TRUE(WaitForExit(program, 5000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  StopProgram(program);
}

TEST(Ending, AltF4EndsTheProgram) {
  Program program;
  ASSERT_TRUE(StartProgram(program));
  SetForegroundWindow(program.dialog);
  PressChord(VK_MENU, VK_F4);
  DWORD exitCode = 1;
  EXPECT_TRUE(WaitForExit(program, 5000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  StopProgram(program);
}

TEST(Ending, CloseWithoutTheSystemCommandDoesNotEndIt) {
  // WM_CLOSE alone becomes IDCANCEL, which the program ignores, as it ignores Escape.
  Program program;
  ASSERT_TRUE(StartProgram(program));
  PostMessageA(program.dialog, WM_CLOSE, 0, 0);
  Settle(program);
  Sleep(200);
  Settle(program);
  EXPECT_EQ(WaitForSingleObject(program.info.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(IsWindow(program.dialog));
  StopProgram(program);
}

}  // namespace
