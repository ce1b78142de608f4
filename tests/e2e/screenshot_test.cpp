// A picture of the dialog after the 1 x 1 inch, 10-turn solve, kept as a test artifact.
#include "control_ids.h"
#include "program_test.h"

namespace {

TEST_F(ProgramTest, ScreenshotAfterASolve) {
  ASSERT_TRUE(WriteText(Control(IDC_DIAMETER), "1"));
  ASSERT_TRUE(WriteText(Control(IDC_HEIGHT), "1"));
  ASSERT_TRUE(WriteText(Control(IDC_TURNS), "10"));
  Click(Control(IDC_SOLVE_INDUCTANCE));
  ASSERT_TRUE(WaitForText(Control(IDC_RESONANCE), "Self-resonant at approximately:   94.9  MHz"));
  SetForegroundWindow(program.dialog);
  Capture capture;
  ASSERT_TRUE(CapturePainted(program, program.dialog, capture));
  const std::string path = ArtifactFolder() + "\\coilcalc-solved.bmp";
  ASSERT_TRUE(SaveBitmap(capture, path)) << path;
  RECT window;
  GetWindowRect(program.dialog, &window);
  EXPECT_EQ(capture.width, window.right - window.left);
}

}  // namespace
