// The solve workflow, scenario by scenario: entries in, messages and control writes out.
#include "solve.h"

#include <gtest/gtest.h>

#include "control_ids.h"
#include "expected_texts.h"
#include "headless_window.h"
#include "replay.h"

namespace {

using Lines = std::vector<std::string>;

std::string MessageLine(const std::string& name) {
  const expected::Message& message = expected::MessageNamed(name);
  return Message(message.caption, message.text);
}

const std::string BAD_DIMENSIONS = MessageLine("BAD_DIMENSIONS");
const std::string TOO_FLAT = MessageLine("TOO_FLAT");
const std::string TOO_LONG = MessageLine("TOO_LONG");
const std::string TOO_FEW_TURNS = MessageLine("TOO_FEW_TURNS");
const std::string TOO_MANY_TURNS = MessageLine("TOO_MANY_TURNS");
const std::string TOO_LARGE = MessageLine("INDUCTANCE_TOO_LARGE");
const std::string NO_SOLUTION = MessageLine("NO_SOLUTION");

Lines Join(Lines head, const Lines& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// The 1 x 1 inch, 10-turn coil as the dialog shows it after "Solve for Inductance".
const expected::Coil& ONE_BY_ONE_TEN = expected::CoilNamed("OneByOneInchTenTurns");

// Any 1 x 1 inch coil corrected to 2 turns.
const Lines ONE_BY_ONE_TWO =
    Join({TOO_FEW_TURNS, "set turns=2"},
         Completed({" 133.7", "nH", " 2", "Wire Length:  9.4248  inches",
                    "Maximum wire size:  0  AWG", "Stray Capacitance:   17.08  picofarads",
                    "Self-resonant at approximately:   105  MHz"}));

struct Scenario {
  std::string name;
  LengthUnit unit;
  std::int16_t mode;
  FieldTexts fields;
  Lines expected;
};

// Where the expected texts come from: the coils of the shared expected texts (the 1 x 1 inch
// coil of 10 turns also worked out by hand from the formulas); the others were printed by the
// independent reference tests/reference/coil_reference.py (e.g. `coil_reference.py
// in:L:10:1:10`), which gives the texts of the shared coils too.
const Scenario SCENARIOS[] = {
    // Dimension checks, in either mode; nothing is written.
    {"EmptyDiameter",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"height", "1"}, {"turns", "10"}},
     {BAD_DIMENSIONS}},
    {"EmptyHeightTurnsMode",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "1"}, {"inductance", "5"}},
     {BAD_DIMENSIONS}},
    {"NegativeDiameter",
     MILLIMETRES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "-3"}, {"height", "1"}, {"turns", "10"}},
     {BAD_DIMENSIONS}},
    {"LettersAsHeight",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "1"}, {"height", "abc"}, {"inductance", "5"}},
     {BAD_DIMENSIONS}},
    {"RatioTenPasses",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "10"}, {"height", "1"}, {"turns", "10"}},
     Completed({" 51.06", "uH", " 10", "Wire Length:  317.3  inches", "Maximum wire size:  11  AWG",
                "Stray Capacitance:   12.78  picofarads",
                "Self-resonant at approximately:   6.23  MHz"})},
    {"RatioJustAboveTen",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "10.01"}, {"height", "1"}, {"turns", "10"}},
     {TOO_FLAT}},
    {"HeightRatioTenPasses",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "1"}, {"height", "10"}, {"turns", "100"}},
     Completed({" 28.82", "uH", " 100", "Wire Length:  345.57  inches",
                "Maximum wire size:  11  AWG", "Stray Capacitance:   .1266  picofarads",
                "Self-resonant at approximately:   83.4  MHz"})},
    {"HeightRatioJustAboveTen",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "1"}, {"height", "10.01"}, {"inductance", "5"}},
     {TOO_LONG}},
    // The ratio is checked before the turns are read, so the turns are not corrected.
    {"RatioBeforeTurns",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "20"}, {"height", "1"}, {"turns", "0"}},
     {TOO_FLAT}},

    // Turns below 2 are corrected, the run goes on with 2 turns.
    {"OneTurn",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "1"}, {"height", "1"}, {"turns", "1"}},
     ONE_BY_ONE_TWO},
    {"ZeroTurns",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "1"}, {"height", "1"}, {"turns", "0"}},
     ONE_BY_ONE_TWO},
    {"NegativeTurns",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "1"}, {"height", "1"}, {"turns", "-3"}},
     ONE_BY_ONE_TWO},
    {"LettersAsTurns",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "1"}, {"height", "1"}, {"turns", "ten"}},
     ONE_BY_ONE_TWO},
    {"EmptyTurns",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "1"}, {"height", "1"}},
     ONE_BY_ONE_TWO},
    {"TooManyTurns",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "1"}, {"height", "1"}, {"turns", "16385"}},
     {TOO_MANY_TURNS}},
    {"InfiniteTurns",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "1"}, {"height", "1"}, {"turns", "1e40"}},
     {TOO_MANY_TURNS}},
    // 1000 uH and more show in millihenries.
    {"MostTurns",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "1"}, {"height", "0.1"}, {"turns", "16384"}},
     Completed({" 1.354E+4", "mH", " 1.64E+4", "Wire Length:  51472  inches",
                "Maximum wire size:  95  AWG", "Stray Capacitance:   6.952E-4  picofarads",
                "Self-resonant at approximately:   1.64  MHz"})},
    // Fractional turns compute as entered; only the field is cut to 3 digits.
    {"FractionalTurns",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "1"}, {"height", "1"}, {"turns", "12.34"}},
     Completed({" 2.994", "uH", " 12.3", "Wire Length:  41.909  inches",
                "Maximum wire size:  13  AWG", "Stray Capacitance:   1.086  picofarads",
                "Self-resonant at approximately:   88.3  MHz"})},
    {"CoarseWindingGaugeZero",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "1"}, {"height", "1"}, {"turns", "2"}},
     {ONE_BY_ONE_TWO.begin() + 2, ONE_BY_ONE_TWO.end()}},

    // The inductance entry in turns mode.
    {"InductanceLimitPasses",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "1"}, {"height", "1"}, {"inductance", "65536"}, {"inductance_unit", "nH"}},
     Completed({"65536", "nH", " 60.8", "Wire Length:  194.19  inches",
                "Maximum wire size:  27  AWG", "Stray Capacitance:   .1936  picofarads",
                "Self-resonant at approximately:   44.7  MHz"})},
    {"InductanceLimitPassesInMillihenries",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "1"}, {"height", "1"}, {"inductance", "65536"}, {"inductance_unit", "mH"}},
     {NO_SOLUTION}},
    {"InductanceAboveLimit",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "1"}, {"height", "1"}, {"inductance", "65536.5"}, {"inductance_unit", "nH"}},
     {TOO_LARGE}},
    {"ZeroInductance",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "1"}, {"height", "1"}, {"inductance", "0"}},
     {NO_SOLUTION}},
    {"NegativeInductance",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "1"}, {"height", "1"}, {"inductance", "-1"}},
     {NO_SOLUTION}},
    {"EmptyInductance",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "1"}, {"height", "1"}},
     {NO_SOLUTION}},
    {"TwoTurnsGiveMore",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "0.2"}, {"height", "1"}, {"inductance", "0.01"}},
     {NO_SOLUTION}},
    // Unit texts other than exactly "nH" and "mH" count as microhenries and are written back.
    {"UpperCaseUnit",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "2"}, {"height", "1"}, {"inductance", "10"}, {"inductance_unit", "UH"}},
     Completed({"10", "UH", " 13.4", "Wire Length:  87.317  inches", "Maximum wire size:  13  AWG",
                "Stray Capacitance:   1.906  picofarads",
                "Self-resonant at approximately:   36.5  MHz"})},
    {"BlankBeforeNanohenries",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "2"}, {"height", "1"}, {"inductance", "10"}, {"inductance_unit", " nH"}},
     Completed({"10", " nH", " 13.4", "Wire Length:  87.317  inches", "Maximum wire size:  13  AWG",
                "Stray Capacitance:   1.906  picofarads",
                "Self-resonant at approximately:   36.5  MHz"})},
    {"Picohenries",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "2"}, {"height", "1"}, {"inductance", "10"}, {"inductance_unit", "pH"}},
     Completed({"10", "pH", " 13.4", "Wire Length:  87.317  inches", "Maximum wire size:  13  AWG",
                "Stray Capacitance:   1.906  picofarads",
                "Self-resonant at approximately:   36.5  MHz"})},
    // The entry is written back exactly as typed, trailing letters and all.
    {"TrailingUnitInEntry",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "2"}, {"height", "1"}, {"inductance", "10uH"}, {"inductance_unit", "uH"}},
     Completed({"10uH", "uH", " 13.4", "Wire Length:  87.317  inches",
                "Maximum wire size:  13  AWG", "Stray Capacitance:   1.906  picofarads",
                "Self-resonant at approximately:   36.5  MHz"})},
    {"MillihenriesConverted",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "2"}, {"height", "1"}, {"inductance", ".01"}, {"inductance_unit", "mH"}},
     Completed({".01", "mH", " 13.4", "Wire Length:  87.317  inches", "Maximum wire size:  13  AWG",
                "Stray Capacitance:   1.906  picofarads",
                "Self-resonant at approximately:   36.5  MHz"})},

    // Entries beyond float range end the run normally.
    // Sizes beyond the float range are refused as sizes, before any ratio is formed.
    {"InfiniteDiameter",
     INCHES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "1e40"}, {"height", "1"}, {"turns", "10"}},
     {BAD_DIMENSIONS}},
    {"InfiniteDimensionsSolvingTurns",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "1e40"}, {"height", "1e40"}, {"inductance", "10"}},
     {BAD_DIMENSIONS}},
    {"InfiniteHeightOnlyInMillimetres",
     MILLIMETRES,
     SOLVE_FOR_INDUCTANCE,
     {{"diameter", "1e39"}, {"height", "1e40"}, {"turns", "10"}},
     {BAD_DIMENSIONS}},
    {"InfiniteInductance",
     INCHES,
     SOLVE_FOR_TURNS,
     {{"diameter", "1"}, {"height", "1"}, {"inductance", "-1e40"}},
     {NO_SOLUTION}},
};

std::vector<Scenario> AllScenarios() {
  std::vector<Scenario> all;
  for (const expected::Coil& coil : expected::Coils()) {
    all.push_back({coil.name,
                   coil.millimetres ? MILLIMETRES : INCHES,
                   coil.forTurns ? SOLVE_FOR_TURNS : SOLVE_FOR_INDUCTANCE,
                   {coil.entries.begin(), coil.entries.end()},
                   Completed(coil.results)});
  }
  all.insert(all.end(), std::begin(SCENARIOS), std::end(SCENARIOS));
  return all;
}

// Test names and failure reports show a scenario by its name, not as raw bytes.
void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

class SolveScenario : public testing::TestWithParam<Scenario> {};

TEST_P(SolveScenario, TraceMatches) {
  const Scenario& s = GetParam();
  EXPECT_EQ(Replay(s.unit, s.mode, s.fields), s.expected);
}

INSTANTIATE_TEST_SUITE_P(Solve, SolveScenario, testing::ValuesIn(AllScenarios()),
                         [](const testing::TestParamInfo<Scenario>& info) {
                           return info.param.name;
                         });

TEST(Solve, ShownTurnsReadBackTooManyOnSecondRun) {
  Replay(INCHES, SOLVE_FOR_INDUCTANCE, {{"diameter", "1"}, {"height", "0.1"}, {"turns", "16384"}});
  EXPECT_EQ(PeekControlText(IDC_TURNS), " 1.64E+4");
  EXPECT_EQ(ReplayAgain(SOLVE_FOR_INDUCTANCE), Lines{TOO_MANY_TURNS});
}

TEST(Solve, StoppedRunKeepsEarlierResults) {
  Replay(INCHES, SOLVE_FOR_INDUCTANCE, {{"diameter", "1"}, {"height", "1"}, {"turns", "10"}});
  SeedControlText(IDC_HEIGHT, "0");
  EXPECT_EQ(ReplayAgain(SOLVE_FOR_TURNS), Lines{BAD_DIMENSIONS});
  EXPECT_EQ(PeekControlText(IDC_INDUCTANCE), ONE_BY_ONE_TEN.results[0]);
  EXPECT_EQ(PeekControlText(IDC_WIRE_LENGTH), ONE_BY_ONE_TEN.results[3]);
  EXPECT_EQ(PeekControlText(IDC_HEIGHT), "0");
}

TEST(Solve, InductanceShownReadsBackAsTheSameCoil) {
  // The inductance written by one solve, solved back for turns, gives the turns again.
  Replay(INCHES, SOLVE_FOR_INDUCTANCE, {{"diameter", "0.5"}, {"height", "1"}, {"turns", "20"}});
  EXPECT_EQ(PeekControlText(IDC_INDUCTANCE), " 2.425");
  ReplayAgain(SOLVE_FOR_TURNS);
  EXPECT_EQ(PeekControlText(IDC_TURNS), " 20");
  EXPECT_EQ(PeekControlText(IDC_INDUCTANCE), " 2.425");
}

TEST(Solve, ResultLinesAreKeptProgramWide) {
  Replay(INCHES, SOLVE_FOR_INDUCTANCE, {{"diameter", "1"}, {"height", "1"}, {"turns", "10"}});
  EXPECT_EQ(wireLengthText, ONE_BY_ONE_TEN.results[3]);
  EXPECT_EQ(wireSizeText, ONE_BY_ONE_TEN.results[4]);
  EXPECT_EQ(capacitanceText, ONE_BY_ONE_TEN.results[5]);
  EXPECT_EQ(resonanceText, ONE_BY_ONE_TEN.results[6]);
}

TEST(Solve, EntryFieldsAreOnlyRead) {
  // Diameter and height, with trailing text, stay as typed after a completed solve.
  Replay(INCHES, SOLVE_FOR_INDUCTANCE,
         {{"diameter", " 1 in"}, {"height", "1.0\""}, {"turns", "10"}});
  EXPECT_EQ(PeekControlText(IDC_DIAMETER), " 1 in");
  EXPECT_EQ(PeekControlText(IDC_HEIGHT), "1.0\"");
  EXPECT_EQ(PeekControlText(IDC_TURNS), " 10");
}

}  // namespace
