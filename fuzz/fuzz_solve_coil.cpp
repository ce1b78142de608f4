// Fuzz target: SolveCoil on the in-memory dialog with arbitrary field texts.
//
// Input bytes: one settings byte, then the texts of diameter, height, turns, inductance and
// inductance_unit separated by NUL bytes (a window text never holds one). Settings: bit 0
// millimetres (inches otherwise); bit 1 solve for inductance; otherwise solve for turns with
// solveMode 0, or with bit 2 set with solveMode = the signed top five bits (another value
// that also takes the turns path); bit 7 solves a second time on what the first solve left.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialog_controls.h"
#include "expected_texts.h"
#include "fuzz_support.h"
#include "headless_window.h"
#include "number_text.h"
#include "solve.h"

namespace {

const std::string INVALID_DATA = expected::MessageNamed("BAD_DIMENSIONS").caption;
const std::string BAD_DIMENSIONS = expected::MessageNamed("BAD_DIMENSIONS").text;
const std::string TOO_FLAT = expected::MessageNamed("TOO_FLAT").text;
const std::string TOO_LONG = expected::MessageNamed("TOO_LONG").text;
const std::string TOO_FEW_TURNS = expected::MessageNamed("TOO_FEW_TURNS").text;
const std::string TOO_MANY_TURNS = expected::MessageNamed("TOO_MANY_TURNS").text;
const std::string INDUCTANCE_TOO_LARGE = expected::MessageNamed("INDUCTANCE_TOO_LARGE").text;
const std::string NO_SOLUTION = expected::MessageNamed("NO_SOLUTION").text;

constexpr std::array<int, 25> ALL_CONTROLS = {
    IDC_DIAMETER,       IDC_HEIGHT,           IDC_TURNS,        IDC_INDUCTANCE_UNIT,
    IDC_WIRE_LENGTH,    IDC_WIRE_SIZE,        IDC_CAPACITANCE,  IDC_RESONANCE,
    IDC_UNITS_FRAME,    IDC_WINDING_FRAME,    IDC_INDUCTANCE,   IDC_CALCULATE_FRAME,
    IDC_DIAMETER_LABEL, IDC_DIAMETER_UNIT,    IDC_HEIGHT_LABEL, IDC_HEIGHT_UNIT,
    IDC_TURNS_LABEL,    IDC_INDUCTANCE_LABEL, IDC_QUIT,         IDC_UNIT_MM,
    IDC_UNIT_INCHES,    IDC_SKETCH,           IDC_ABOUT,        IDC_SOLVE_INDUCTANCE,
    IDC_SOLVE_TURNS};

// The order in which a completed solve writes its seven controls.
const std::vector<std::string>& WRITE_ORDER = expected::Results();

std::string Render(const std::vector<TraceEntry>& trace) {
  std::string out;
  for (const TraceEntry& entry : trace) {
    out += entry.isMessage ? "\n  message " : "\n  set ";
    out += Quoted(entry.subject) + " " + Quoted(entry.text);
  }
  return out;
}

// The number inside a result line: the label before it and the unit after it are fixed.
std::string NumberInLine(const std::string& line, const std::string& label, const std::string& unit,
                         const std::string& where) {
  FUZZ_REQUIRE(
      line.size() >= label.size() + unit.size() && line.starts_with(label) && line.ends_with(unit),
      where + ", line " + Quoted(line));
  return line.substr(label.size(), line.size() - label.size() - unit.size());
}

struct Entries {
  std::string diameter, height, turns, inductance, unit;
};

void SolveAndCheck(const Entries& entries, bool millimetres) {
  std::array<std::string, ALL_CONTROLS.size()> before;
  for (std::size_t i = 0; i < ALL_CONTROLS.size(); ++i)
    before[i] = PeekControlText(ALL_CONTROLS[i]);
  const std::string wireLengthBefore = wireLengthText;

  ClearHeadlessTrace();
  SolveCoil();
  const std::vector<TraceEntry>& trace = HeadlessTrace();

  const bool forInductance = solveMode == SOLVE_FOR_INDUCTANCE;
  std::string where = std::string("mode ") + std::to_string(solveMode) +
                      (millimetres ? ", mm" : ", inches") + ", diameter " +
                      Quoted(entries.diameter) + ", height " + Quoted(entries.height) + ", turns " +
                      Quoted(entries.turns) + ", inductance " + Quoted(entries.inductance) +
                      ", unit " + Quoted(entries.unit) + "; trace:" + Render(trace);

  // Which check stops the solve is decided by the entries alone, up to the turns search.
  const Extended scale = ExtendedFromFloat(lengthScale);
  const float D = ExtendedToFloat(ExtendedDivide(ParseNumber(entries.diameter), scale));
  const float H = ExtendedToFloat(ExtendedDivide(ParseNumber(entries.height), scale));
  std::string expectedStop;
  bool expectCorrection = false;
  float N = 0;
  if (D <= 0 || H <= 0 || std::isinf(D) || std::isinf(H)) {
    expectedStop = BAD_DIMENSIONS;
  } else if (static_cast<double>(D) / H > 10) {
    expectedStop = TOO_FLAT;
  } else if (static_cast<double>(H) / D > 10) {
    expectedStop = TOO_LONG;
  } else if (forInductance) {
    N = ExtendedToFloat(ParseNumber(entries.turns));
    if (N < 2) {
      N = 2;
      expectCorrection = true;
    }
    if (N > 16384) expectedStop = TOO_MANY_TURNS;
  } else if (ExtendedGreater(ParseNumber(entries.inductance), ExtendedFromFloat(65536))) {
    expectedStop = INDUCTANCE_TOO_LARGE;
  }

  const bool stopped = trace.size() == 1 && trace[0].isMessage;
  if (stopped) {
    const TraceEntry& message = trace[0];
    if (!expectedStop.empty()) {
      FUZZ_REQUIRE(message.text == expectedStop && message.subject == INVALID_DATA, where);
    } else {
      // Only the turns search can still fail.
      FUZZ_REQUIRE(!forInductance && message.text == NO_SOLUTION &&
                       message.subject == expected::MessageNamed("NO_SOLUTION").caption,
                   where);
    }
    // A stopped solve changes nothing.
    for (std::size_t i = 0; i < ALL_CONTROLS.size(); ++i) {
      FUZZ_REQUIRE(PeekControlText(ALL_CONTROLS[i]) == before[i],
                   where + ", control " + std::to_string(ALL_CONTROLS[i]) + " changed");
    }
    FUZZ_REQUIRE(wireLengthText == wireLengthBefore, where);
    return;
  }

  FUZZ_REQUIRE(expectedStop.empty(), where + ", expected the stop " + Quoted(expectedStop));
  std::size_t at = 0;
  if (expectCorrection) {
    FUZZ_REQUIRE(trace.size() == 9 && trace[0].isMessage && trace[0].text == TOO_FEW_TURNS &&
                     trace[0].subject == INVALID_DATA && !trace[1].isMessage &&
                     trace[1].subject == "turns" && trace[1].text == "2",
                 where);
    at = 2;
  }
  FUZZ_REQUIRE(trace.size() == at + WRITE_ORDER.size(), where);
  for (std::size_t i = 0; i < WRITE_ORDER.size(); ++i) {
    FUZZ_REQUIRE(!trace[at + i].isMessage && trace[at + i].subject == WRITE_ORDER[i], where);
    // Each control holds what was written last.
    FUZZ_REQUIRE(PeekControlText(FieldId(WRITE_ORDER[i])) == trace[at + i].text, where);
  }
  const std::string& inductance = trace[at].text;
  const std::string& unit = trace[at + 1].text;
  const std::string& turns = trace[at + 2].text;

  // Entry fields and every other control keep their text.
  for (std::size_t i = 0; i < ALL_CONTROLS.size(); ++i) {
    const int id = ALL_CONTROLS[i];
    if (std::find(WRITE_ORDER.begin(), WRITE_ORDER.end(), FieldName(id)) != WRITE_ORDER.end()) {
      continue;
    }
    FUZZ_REQUIRE(PeekControlText(id) == before[i],
                 where + ", control " + std::to_string(id) + " changed");
  }

  if (forInductance) {
    FUZZ_REQUIRE(turns == FormatNumber(N, 3), where);
    FUZZ_REQUIRE(unit == "nH" || unit == "uH" || unit == "mH", where);
    CheckNumberTextShape(inductance, 4);
    // The unit is chosen so that the shown value is 1 or more below 1000 (rounding to four
    // digits may reach 1000 itself).
    const double shown = ExtendedToDouble(ParseNumber(inductance));
    if (unit == "mH") FUZZ_REQUIRE(shown >= 1, where);
    if (unit == "uH") FUZZ_REQUIRE(shown >= 1 && shown <= 1000, where);
    if (unit == "nH") FUZZ_REQUIRE(shown <= 1000, where);
  } else {
    // The inductance and its unit go back exactly as typed; the found turns lie in 2..16384
    // (16400 after rounding to three digits).
    FUZZ_REQUIRE(inductance == entries.inductance && unit == entries.unit, where);
    CheckNumberTextShape(turns, 3);
    const double found = ExtendedToDouble(ParseNumber(turns));
    FUZZ_REQUIRE(found >= 2 && found <= 16400, where);
  }

  const std::string wireLength =
      NumberInLine(trace[at + 3].text, "Wire Length: ", millimetres ? "  mm" : "  inches", where);
  CheckNumberTextShape(wireLength, 5);
  const std::string gauge = NumberInLine(trace[at + 4].text, "Maximum wire size: ", "  AWG", where);
  CheckNumberTextShape(gauge, 7);
  // A whole gauge of 0 or more (an infinite one where the wire would have no thickness at all).
  FUZZ_REQUIRE(gauge[0] == ' ', where);
  const double gaugeValue = ExtendedToDouble(ParseNumber(gauge));
  FUZZ_REQUIRE(std::trunc(gaugeValue) == gaugeValue, where);
  CheckNumberTextShape(
      NumberInLine(trace[at + 5].text, "Stray Capacitance:  ", "  picofarads", where), 4);
  CheckNumberTextShape(
      NumberInLine(trace[at + 6].text, "Self-resonant at approximately:  ", "  MHz", where), 3);

  // The program-wide result texts follow the lines.
  FUZZ_REQUIRE(wireLengthText == trace[at + 3].text && wireSizeText == trace[at + 4].text &&
                   capacitanceText == trace[at + 5].text && resonanceText == trace[at + 6].text,
               where);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::uint8_t settings = size > 0 ? data[0] : 0;
  std::vector<std::string> texts(5);
  std::size_t field = 0;
  for (std::size_t i = 1; i < size; ++i) {
    if (data[i] == 0) {
      if (++field == texts.size()) break;
      continue;
    }
    texts[field] += static_cast<char>(data[i]);
  }
  Entries entries{texts[0], texts[1], texts[2], texts[3], texts[4]};

  ResetHeadlessDialog();
  const bool millimetres = (settings & 1) != 0;
  lengthScale = millimetres ? MILLIMETRES.scale : INCHES.scale;
  if ((settings & 2) != 0) {
    solveMode = SOLVE_FOR_INDUCTANCE;
  } else if ((settings & 4) != 0) {
    solveMode = static_cast<std::int16_t>(static_cast<std::int8_t>(settings) >> 3);
    if (solveMode == SOLVE_FOR_INDUCTANCE) solveMode = -4;
  } else {
    solveMode = SOLVE_FOR_TURNS;
  }
  SeedControlText(IDC_DIAMETER, entries.diameter);
  SeedControlText(IDC_HEIGHT, entries.height);
  SeedControlText(IDC_TURNS, entries.turns);
  SeedControlText(IDC_INDUCTANCE, entries.inductance);
  SeedControlText(IDC_INDUCTANCE_UNIT, entries.unit);
  SolveAndCheck(entries, millimetres);

  if ((settings & 0x80) != 0) {
    // A second click without editing: the entries are what the first solve left.
    const Entries left{PeekControlText(IDC_DIAMETER), PeekControlText(IDC_HEIGHT),
                       PeekControlText(IDC_TURNS), PeekControlText(IDC_INDUCTANCE),
                       PeekControlText(IDC_INDUCTANCE_UNIT)};
    SolveAndCheck(left, millimetres);
  }
  return 0;
}
