// The solve workflow: entries read and checked in a fixed order, the model called, results written.
#include "solve.h"

#include <cmath>

#include "coil_model.h"
#include "dialog_controls.h"
#include "number_text.h"
#include "window_ops.h"
#include "x87_extended.h"

DIALOG_VALUE float lengthScale = 1.0f;
DIALOG_VALUE std::int16_t solveMode = 0;

DIALOG_VALUE std::string wireLengthText;
DIALOG_VALUE std::string wireSizeText;
DIALOG_VALUE std::string capacitanceText;
DIALOG_VALUE std::string resonanceText;
DIALOG_VALUE SolvedCoil lastSolvedCoil;

namespace {

const char* const INVALID_DATA = "Invalid data";
const char* const INVALID_DATA_TURNS = "Invalid Data";

const char* const BAD_DIMENSIONS = "Diameter and Height must be numbers greater than zero";
const char* const TOO_FLAT =
    "Diameter/Height ratio must be less than 10.\r\n   Reduce diameter or increase height";
const char* const TOO_LONG =
    "Ratio of Height/Diameter must be less than 10.\r\n  Increase diameter or reduce height";
const char* const TOO_FEW_TURNS = "# of turns has been set to 2 (minimum legal value)";
const char* const TOO_MANY_TURNS = "Number of turns must be 16384 or less";
const char* const INDUCTANCE_TOO_LARGE = "Number in inductance box must be\r\nless than 65536";
const char* const NO_SOLUTION = "# of turns being asked for is out of range.";

constexpr float MAX_INDUCTANCE_ENTRY = 65536;
constexpr float INDUCTANCE_UNIT_STEP = 1000;  // nH per uH, uH per mH
constexpr double MAX_RATIO = 10;

// Entries are read, scaled and compared in the x87 extended type, and rounded once to float
// when stored.
float EntryDividedBy(const std::string& text, float divisor) {
  return ExtendedToFloat(ExtendedDivide(ParseNumber(text), ExtendedFromFloat(divisor)));
}

// Writes a result line over the last one, in the storage it already has: a batch of solves
// then composes its lines without allocating.
void ComposeResultLine(std::string& line, const char* caption, double number, int digits,
                       const char* unit) {
  line = caption;
  AppendFormattedNumber(line, number, digits);
  line += unit;
}

}  // namespace

const LengthUnit& SelectedLengthUnit() { return lengthScale == 1.0f ? INCHES : MILLIMETRES; }

const LengthUnit* FindLengthUnit(std::string_view name) {
  for (const LengthUnit* unit : LENGTH_UNITS) {
    if (name == unit->name) return unit;
  }
  return nullptr;
}

const std::int16_t* FindSolveMode(std::string_view name) {
  for (const SolveModeName& entry : SOLVE_MODE_NAMES) {
    if (name == entry.name) return &entry.mode;
  }
  return nullptr;
}

void ResetResultLines() {
  // Looked up when compiled: a batch resets the lines before every solve.
  static constexpr const char* WIRE_LENGTH_START = FindDialogControl(IDC_WIRE_LENGTH)->startText;
  static constexpr const char* WIRE_SIZE_START = FindDialogControl(IDC_WIRE_SIZE)->startText;
  static constexpr const char* CAPACITANCE_START = FindDialogControl(IDC_CAPACITANCE)->startText;
  static constexpr const char* RESONANCE_START = FindDialogControl(IDC_RESONANCE)->startText;
  wireLengthText = WIRE_LENGTH_START;
  wireSizeText = WIRE_SIZE_START;
  capacitanceText = CAPACITANCE_START;
  resonanceText = RESONANCE_START;
}

namespace {

// Shows the message of the first size check the diameter D and height H fail, and says whether
// they passed.
bool DimensionsAccepted(float D, float H) {
  // A size beyond the float range is stored as infinity; the ratio checks would then compare
  // infinities, so such a size is refused with the non-positive ones.
  if (D <= 0 || H <= 0 || std::isinf(D) || std::isinf(H)) {
    ShowMessageBox(BAD_DIMENSIONS, INVALID_DATA);
    return false;
  }
  if (static_cast<double>(D) / H > MAX_RATIO) {
    ShowMessageBox(TOO_FLAT, INVALID_DATA);
    return false;
  }
  if (static_cast<double>(H) / D > MAX_RATIO) {
    ShowMessageBox(TOO_LONG, INVALID_DATA);
    return false;
  }
  return true;
}

// What a solve finds: the turns, the inductance in microhenries, and the inductance box's text
// and unit as they will be written back.
struct CoilSolution {
  float N;
  float L;
  std::string inductanceText;
  std::string unitText;
};

// The turns typed in: fewer than the minimum are raised to it, with a message and the box set to
// "2"; more than the maximum stop the solve with a message (false).
bool EnteredTurns(float& N) {
  N = ExtendedToFloat(ParseNumber(GetControlText(IDC_TURNS)));
  if (N < MIN_TURNS) {
    N = MIN_TURNS;
    ShowMessageBox(TOO_FEW_TURNS, INVALID_DATA);
    SetControlText(IDC_TURNS, "2");
  }
  if (N > MAX_TURNS) {
    ShowMessageBox(TOO_MANY_TURNS, INVALID_DATA);
    return false;
  }
  return true;
}

// The inductance L (uH) as the box shows it: in mH from 1000 uH, in nH below 1 uH; `unitText`
// gets the unit.
std::string ShownInductance(float L, std::string& unitText) {
  float shown;
  if (L >= 1000) {
    shown = static_cast<float>(static_cast<double>(L) / 1000);
    unitText = MILLIHENRIES;
  } else if (L >= 1) {
    shown = L;
    unitText = MICROHENRIES;
  } else {
    shown = static_cast<float>(static_cast<double>(L) * 1000);
    unitText = NANOHENRIES;
  }
  return FormatNumber(shown, 4);
}

bool SolveForInductance(float D, float H, CoilSolution& solution) {
  if (!EnteredTurns(solution.N)) return false;
  solution.L = CoilInductance(D, H, solution.N);
  solution.inductanceText = ShownInductance(solution.L, solution.unitText);
  return true;
}

// The inductance typed in, in microhenries by its unit box (any text but nH and mH is uH); too
// large an entry stops the solve with a message (false). The box's text and unit are kept as
// typed.
bool EnteredInductance(float& L, std::string& inductanceText, std::string& unitText) {
  inductanceText = GetControlText(IDC_INDUCTANCE);
  const Extended entered = ParseNumber(inductanceText);
  if (ExtendedGreater(entered, ExtendedFromFloat(MAX_INDUCTANCE_ENTRY))) {
    ShowMessageBox(INDUCTANCE_TOO_LARGE, INVALID_DATA);
    return false;
  }
  unitText = GetControlText(IDC_INDUCTANCE_UNIT);
  const Extended scale = ExtendedFromFloat(INDUCTANCE_UNIT_STEP);
  if (unitText == NANOHENRIES) {
    L = ExtendedToFloat(ExtendedDivide(entered, scale));
  } else if (unitText == MILLIHENRIES) {
    L = ExtendedToFloat(ExtendedMultiply(entered, scale));
  } else {
    L = ExtendedToFloat(entered);
  }
  return true;
}

bool SolveForTurns(float D, float H, CoilSolution& solution) {
  if (!EnteredInductance(solution.L, solution.inductanceText, solution.unitText)) return false;
  solution.N = CoilTurns(D, H, solution.L);
  if (solution.N == -1) {
    ShowMessageBox(NO_SOLUTION, INVALID_DATA_TURNS);
    return false;
  }
  return true;
}

// Composes the four result lines of the coil D, H with N turns and inductance L, and keeps its
// numbers as the last solved coil.
void ComposeResults(float D, float H, float N, float L) {
  const float Dc = CentreDiameter(D, H, N);
  ComposeResultLine(wireLengthText, WIRE_LENGTH_CAPTION, WireLength(Dc, N, lengthScale), 5,
                    SelectedLengthUnit().resultSuffix);
  const float gauge = MaxWireGauge(H, N);
  ComposeResultLine(wireSizeText, WIRE_SIZE_CAPTION, gauge, 7, "  AWG");
  const float C = StrayCapacitance(Dc, N);
  ComposeResultLine(capacitanceText, CAPACITANCE_CAPTION, C, 4, "  picofarads");
  const float F = SelfResonantFrequency(C, L);
  ComposeResultLine(resonanceText, RESONANCE_CAPTION, F, 3, "  MHz");
  lastSolvedCoil = {D, H, N, L, C, F, gauge, solveMode, &SelectedLengthUnit()};
}

// Writes the seven result controls, in the dialog's order.
void WriteResults(const CoilSolution& solution) {
  SetControlText(IDC_INDUCTANCE, solution.inductanceText);
  SetControlText(IDC_INDUCTANCE_UNIT, solution.unitText);
  SetControlText(IDC_TURNS, FormatNumber(solution.N, 3));
  SetControlText(IDC_WIRE_LENGTH, wireLengthText);
  SetControlText(IDC_WIRE_SIZE, wireSizeText);
  SetControlText(IDC_CAPACITANCE, capacitanceText);
  SetControlText(IDC_RESONANCE, resonanceText);
}

}  // namespace

void SolveCoil() {
  const float D = EntryDividedBy(GetControlText(IDC_DIAMETER), lengthScale);
  const float H = EntryDividedBy(GetControlText(IDC_HEIGHT), lengthScale);
  if (!DimensionsAccepted(D, H)) return;
  CoilSolution solution;
  const bool solved = solveMode == SOLVE_FOR_INDUCTANCE ? SolveForInductance(D, H, solution)
                                                        : SolveForTurns(D, H, solution);
  if (!solved) return;
  ComposeResults(D, H, solution.N, solution.L);
  WriteResults(solution);
}
