// Solves through the real dialog: entries typed into the fields, the buttons clicked, every
// result text and every message box read back as the user sees them.
#include <string>
#include <vector>

#include "control_ids.h"
#include "expected_texts.h"
#include "program_test.h"

namespace {

class Solve : public ProgramTest {
 protected:
  // The texts of the nine controls a solve reads or writes.
  std::vector<std::string> Snapshot() const {
    std::vector<std::string> texts;
    for (const auto& [name, id] : expected::FieldIds()) texts.push_back(Text(id));
    return texts;
  }

  void Enter(int id, const std::string& text) { ASSERT_TRUE(WriteText(Control(id), text)); }

  void Press(int button) {
    Click(Control(button));
    Settle(program);
  }

  // A solve that must finish without any message.
  void SolveCleanly(int button) {
    Press(button);
    MessageBoxInfo box;
    ASSERT_FALSE(FindMessageBox(program, box)) << "unexpected message: " << box.text;
  }

  // A solve that must show exactly this message; the box is checked and dismissed.
  void SolveExpectingMessage(int button, const expected::Message& message) {
    Click(Control(button));
    MessageBoxInfo box;
    ASSERT_TRUE(WaitForMessageBox(program, box)) << "no message for " << message.text;
    EXPECT_EQ(box.text, message.text);
    EXPECT_EQ(box.caption, message.caption);
    EXPECT_EQ(box.buttons, 1);
    EXPECT_EQ(box.okButtons, 1);
    EXPECT_TRUE(box.icon);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_TRUE(box.dialogDisabled) << "the box must be task-modal";
    ASSERT_TRUE(DismissMessageBox(program, box));
    EXPECT_TRUE(IsWindowEnabled(program.dialog));
    EXPECT_FALSE(FindMessageBox(program, box)) << "a second message: " << box.text;
  }
};

// Each example coil of the shared expected texts: its entries typed in, its solve button
// pressed, its seven results read back.
TEST_F(Solve, ExampleCoilsShowTheirResults) {
  for (const expected::Coil& coil : expected::Coils()) {
    SCOPED_TRACE(coil.name);
    Press(coil.millimetres ? IDC_UNIT_MM : IDC_UNIT_INCHES);
    for (const auto& [name, text] : coil.entries) Enter(expected::FieldId(name), text);
    SolveCleanly(coil.forTurns ? IDC_SOLVE_TURNS : IDC_SOLVE_INDUCTANCE);
    for (std::size_t i = 0; i < coil.results.size(); ++i) {
      EXPECT_EQ(Text(expected::FieldId(expected::Results()[i])), coil.results[i])
          << expected::Results()[i];
    }
    // The entries themselves are only read.
    EXPECT_EQ(Text(IDC_DIAMETER), coil.entries.at(0).second);
    EXPECT_EQ(Text(IDC_HEIGHT), coil.entries.at(1).second);
  }
}

TEST_F(Solve, ForInductanceLimits) {
  struct Case {
    const char *diameter, *height, *turns, *inductance, *unit, *turnsShown;
  };
  const Case cases[] = {
      {"10", "1", "10", nullptr, nullptr, " 10"},  // ratio exactly 10 passes
      {"1", "10", "10", nullptr, nullptr, " 10"},
      {"1", "0.1", "16384", " 1.354E+4", "mH", " 1.64E+4"},
      {"1", "1", "12.34", nullptr, nullptr, " 12.3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.diameter) + " x " + c.height + ", " + c.turns + " turns");
    Enter(IDC_DIAMETER, c.diameter);
    Enter(IDC_HEIGHT, c.height);
    Enter(IDC_TURNS, c.turns);
    SolveCleanly(IDC_SOLVE_INDUCTANCE);
    EXPECT_EQ(Text(IDC_TURNS), c.turnsShown);
    if (c.inductance != nullptr) {
      EXPECT_EQ(Text(IDC_INDUCTANCE), c.inductance);
    }
    if (c.unit != nullptr) {
      EXPECT_EQ(Text(IDC_INDUCTANCE_UNIT), c.unit);
    }
    EXPECT_EQ(Text(IDC_WIRE_LENGTH).rfind("Wire Length:  ", 0), 0u);
  }
  // The turns text left by 16384 turns reads back as 16400: too many on the next solve.
  Enter(IDC_DIAMETER, "1");
  Enter(IDC_HEIGHT, "0.1");
  Enter(IDC_TURNS, "16384");
  SolveCleanly(IDC_SOLVE_INDUCTANCE);
  SolveExpectingMessage(IDC_SOLVE_INDUCTANCE, expected::MessageNamed("TOO_MANY_TURNS"));
  EXPECT_EQ(Text(IDC_TURNS), " 1.64E+4");
}

TEST_F(Solve, CoarseWindingHasGaugeZero) {
  Enter(IDC_DIAMETER, "1");
  Enter(IDC_HEIGHT, "1");
  Enter(IDC_TURNS, "2");
  SolveCleanly(IDC_SOLVE_INDUCTANCE);
  EXPECT_EQ(Text(IDC_WIRE_SIZE), "Maximum wire size:  0  AWG");
}

TEST_F(Solve, ForTurnsKeepsTheEnteredTexts) {
  struct Case {
    const char *inductance, *unit;
  };
  // 2.022838 uH on a 1 x 1 inch coil is 9.998 turns, shown to 3 digits.
  const Case cases[] = {{"2.022838", "uH"},   {"2022.838", "nH"},  {"0.002022838", "mH"},
                        {"2.022838uH", "UH"}, {"2.022838", " nH"}, {" 2.022838", "pH"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("[") + c.inductance + "] [" + c.unit + "]");
    Enter(IDC_DIAMETER, "1");
    Enter(IDC_HEIGHT, "1");
    Enter(IDC_TURNS, "");
    Enter(IDC_INDUCTANCE, c.inductance);
    Enter(IDC_INDUCTANCE_UNIT, c.unit);
    SolveCleanly(IDC_SOLVE_TURNS);
    EXPECT_EQ(Text(IDC_TURNS), " 10");
    EXPECT_EQ(Text(IDC_INDUCTANCE), c.inductance);
    EXPECT_EQ(Text(IDC_INDUCTANCE_UNIT), c.unit);
    EXPECT_EQ(Text(IDC_WIRE_SIZE), "Maximum wire size:  11  AWG");
    EXPECT_EQ(Text(IDC_RESONANCE).rfind("Self-resonant at approximately:   ", 0), 0u);
  }
}

struct MessageCase {
  int button;
  const char *diameter, *height, *turns, *inductance, *unit;
  const char* message;  // its name in the expected texts
};

const MessageCase MESSAGE_CASES[] = {
    {IDC_SOLVE_INDUCTANCE, "", "1", "10", "", "uH", "BAD_DIMENSIONS"},
    {IDC_SOLVE_TURNS, "1", "abc", "", "2", "uH", "BAD_DIMENSIONS"},
    {IDC_SOLVE_INDUCTANCE, "-1", "1", "10", "", "uH", "BAD_DIMENSIONS"},
    {IDC_SOLVE_INDUCTANCE, "1e40", "1e40", "10", "", "uH", "BAD_DIMENSIONS"},
    {IDC_SOLVE_INDUCTANCE, "10.01", "1", "1", "", "uH", "TOO_FLAT"},
    {IDC_SOLVE_TURNS, "1", "10.01", "", "2", "uH", "TOO_LONG"},
    {IDC_SOLVE_INDUCTANCE, "1", "1", "16385", "", "uH", "TOO_MANY_TURNS"},
    {IDC_SOLVE_TURNS, "1", "1", "", "65536.5", "nH", "INDUCTANCE_TOO_LARGE"},
    {IDC_SOLVE_TURNS, "1", "1", "", "0", "uH", "NO_SOLUTION"},
    {IDC_SOLVE_TURNS, "1", "1", "", "", "uH", "NO_SOLUTION"},
    {IDC_SOLVE_TURNS, "1", "1", "", "-1", "uH", "NO_SOLUTION"},
};

// A stopped solve shows its one message and changes nothing, not even the last results.
TEST_F(Solve, StoppedSolvesShowOneMessageAndChangeNothing) {
  Enter(IDC_DIAMETER, "1");
  Enter(IDC_HEIGHT, "1");
  Enter(IDC_TURNS, "10");
  SolveCleanly(IDC_SOLVE_INDUCTANCE);
  for (const MessageCase& c : MESSAGE_CASES) {
    SCOPED_TRACE(std::string("message: ") + c.message);
    Enter(IDC_DIAMETER, c.diameter);
    Enter(IDC_HEIGHT, c.height);
    Enter(IDC_TURNS, c.turns);
    Enter(IDC_INDUCTANCE, c.inductance);
    Enter(IDC_INDUCTANCE_UNIT, c.unit);
    const auto before = Snapshot();
    SolveExpectingMessage(c.button, expected::MessageNamed(c.message));
    EXPECT_EQ(Snapshot(), before);
  }
}

TEST_F(Solve, TooFewTurnsAreCorrectedToTwoAfterTheMessage) {
  Enter(IDC_DIAMETER, "1");
  Enter(IDC_HEIGHT, "1");
  Enter(IDC_TURNS, "2");
  SolveCleanly(IDC_SOLVE_INDUCTANCE);
  const auto twoTurns = Snapshot();
  ASSERT_EQ(Text(IDC_TURNS), " 2");

  for (const char* entry : {"1", "0", "-3", "abc", ""}) {
    SCOPED_TRACE(std::string("turns [") + entry + "]");
    Enter(IDC_TURNS, entry);
    Enter(IDC_INDUCTANCE, "");  // so the results visibly come back
    Click(Control(IDC_SOLVE_INDUCTANCE));
    MessageBoxInfo box;
    ASSERT_TRUE(WaitForMessageBox(program, box));
    EXPECT_EQ(box.text, expected::MessageNamed("TOO_FEW_TURNS").text);
    EXPECT_EQ(box.caption, expected::MessageNamed("TOO_FEW_TURNS").caption);
    EXPECT_TRUE(box.dialogDisabled);
    // While the message is up nothing has been written yet.
    EXPECT_EQ(Text(IDC_TURNS), entry);
    EXPECT_EQ(Text(IDC_INDUCTANCE), "");
    ASSERT_TRUE(DismissMessageBox(program, box));
    EXPECT_EQ(Snapshot(), twoTurns);
  }
}

}  // namespace
