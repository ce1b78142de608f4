// The page's engine: the dialog's handlers run headless in WebAssembly, each answering with
// the trace of control writes and message boxes that the page then shows in order.
#include <emscripten/emscripten.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "coil_physics.h"
#include "dialog_controls.h"
#include "headless_window.h"
#include "help_texts.h"
#include "solve.h"

namespace {

// The last answer; the page copies it before it calls again.
std::string answer;

void AppendJsonString(std::string& out, const char* text) {
  out += '"';
  for (const char* c = text; *c; ++c) {
    const auto byte = static_cast<unsigned char>(*c);
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += *c;
    } else if (byte < 0x20) {
      static const char hex[] = "0123456789abcdef";
      out += "\\u00";
      out += hex[byte >> 4];
      out += hex[byte & 15];
    } else {
      out += *c;
    }
  }
  out += '"';
}

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
      return "push button";
    case ControlKind::OptionButton:
      return "option button";
    case ControlKind::GroupBox:
      return "group box";
    case ControlKind::Label:
      return "label";
    case ControlKind::InputField:
      return "input field";
    case ControlKind::OutputLine:
      return "output line";
    case ControlKind::ComboBox:
      return "combo box";
    case ControlKind::Image:
      return "image";
  }
  return "";
}

// The trace since the last call, as [["set", id, text] | ["message", caption, text], ...].
const char* TraceAnswer() {
  answer = "[";
  for (const TraceEntry& entry : HeadlessTrace()) {
    if (answer.size() > 1) answer += ',';
    if (entry.isMessage) {
      answer += "[\"message\",";
      AppendJsonString(answer, entry.subject.c_str());
    } else {
      answer += "[\"set\",";
      answer += std::to_string(FieldId(entry.subject));
    }
    answer += ',';
    AppendJsonString(answer, entry.text.c_str());
    answer += ']';
  }
  answer += ']';
  ClearHeadlessTrace();
  return answer.c_str();
}

}  // namespace

void AppendNumber(std::string& out, const char* name, double value) {
  out += ',';
  AppendJsonString(out, name);
  // JSON has no infinity or not-a-number: null stands for them.
  if (std::isfinite(value)) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    out += ':';
    out += text;
  } else {
    out += ":null";
  }
}

// ["set", id, text] appended to a trace answer, the control's text kept in the headless dialog.
void AppendWrite(std::string& out, int id, const char* text) {
  SeedControlText(id, text);
  if (out.size() > 1) out += ',';
  out += "[\"set\"," + std::to_string(id) + ",";
  AppendJsonString(out, text);
  out += ']';
}

extern "C" {

// The dialog as the page builds it: caption, size, font, colour, the 25 controls in creation
// (= tab) order, the ids of the push buttons by their task, and the inductance units.
EMSCRIPTEN_KEEPALIVE const char* PageDialog() {
  std::string& out = answer;
  out = "{\"caption\":";
  AppendJsonString(out, DialogCaption().c_str());
  out += ",\"aboutCaption\":";
  AppendJsonString(out, ABOUT_CAPTION);
  out += ",\"helpCaption\":";
  AppendJsonString(out, HELP_CAPTION);
  out += ",\"buttons\":{\"solveInductance\":" + std::to_string(IDC_SOLVE_INDUCTANCE) +
         ",\"solveTurns\":" + std::to_string(IDC_SOLVE_TURNS) +
         ",\"about\":" + std::to_string(IDC_ABOUT) + ",\"quit\":" + std::to_string(IDC_QUIT) + "}";
  out += ",\"lengthUnitLabelId\":" + std::to_string(IDC_DIAMETER_UNIT);
  out += ",\"width\":" + std::to_string(DIALOG_WIDTH);
  out += ",\"height\":" + std::to_string(DIALOG_HEIGHT);
  out += ",\"font\":";
  AppendJsonString(out, DIALOG_FONT);
  out += ",\"fontPoints\":" + std::to_string(DIALOG_FONT_POINTS);
  out += ",\"background\":[" + std::to_string(MAIN_BACKGROUND_RGB[0]) + "," +
         std::to_string(MAIN_BACKGROUND_RGB[1]) + "," + std::to_string(MAIN_BACKGROUND_RGB[2]) +
         "]";
  out += ",\"inductanceUnits\":[";
  for (std::size_t i = 0; i < INDUCTANCE_UNITS.size(); ++i) {
    if (i > 0) out += ',';
    AppendJsonString(out, INDUCTANCE_UNITS[i]);
  }
  out += "],\"lengthUnits\":[";
  for (std::size_t i = 0; i < LENGTH_UNITS.size(); ++i) {
    if (i > 0) out += ',';
    out += "{\"optionId\":" + std::to_string(LENGTH_UNITS[i]->optionId) +
           ",\"index\":" + std::to_string(i) +
           ",\"selected\":" + (LENGTH_UNITS[i] == &INCHES ? "true" : "false") + "}";
  }
  out += "],\"controls\":[";
  bool first = true;
  for (const DialogControl& control : DIALOG_CONTROLS) {
    if (!first) out += ',';
    first = false;
    out += "{\"id\":" + std::to_string(control.id) + ",\"kind\":";
    AppendJsonString(out, KindName(control.kind));
    out += ",\"text\":";
    AppendJsonString(out, control.startText);
    out += ",\"x\":" + std::to_string(control.x) + ",\"y\":" + std::to_string(control.y) +
           ",\"w\":" + std::to_string(control.w) + ",\"h\":" + std::to_string(control.h);
    out += std::string(",\"coloured\":") + (control.coloured ? "true" : "false");
    out += std::string(",\"tabStop\":") + (IsTabStop(control) ? "true" : "false");
    out += std::string(",\"help\":") + (ContextHelpText(control.id) ? "true" : "false");
    out += '}';
  }
  out += "]}";
  return out.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* PageAboutText() { return AboutText(); }

// The context help of control `id`, or an empty text when it has none.
EMSCRIPTEN_KEEPALIVE const char* PageHelpText(int id) {
  const char* text = ContextHelpText(id);
  return text ? text : "";
}

// Start-up: every control at its start-up text, inches selected.
EMSCRIPTEN_KEEPALIVE void PageStart() { ResetHeadlessDialog(); }

// A click on a unit option: what the dialog's unit handler does, as a trace.
EMSCRIPTEN_KEEPALIVE const char* PageSwitchUnit(int optionId) {
  answer = "[";
  for (const LengthUnit* unit : LENGTH_UNITS) {
    if (optionId != unit->optionId) continue;
    lengthScale = unit->scale;
    AppendWrite(answer, IDC_DIAMETER_UNIT, unit->fieldLabel);
    AppendWrite(answer, IDC_HEIGHT_UNIT, unit->fieldLabel);
  }
  // The old results belong to the old unit.
  for (const ResultCaption& caption : UNIT_SWITCH_CAPTIONS)
    AppendWrite(answer, caption.id, caption.text);
  answer += ']';
  return answer.c_str();
}

// The page's current text of an editable control, before a solve reads it.
EMSCRIPTEN_KEEPALIVE void PageSetText(int id, const char* text) { SeedControlText(id, text); }

// A click on a solve button (`forInductance` 1 or 0): the solve's writes and messages.
EMSCRIPTEN_KEEPALIVE const char* PageSolve(int forInductance) {
  ClearHeadlessTrace();
  solveMode = forInductance ? SOLVE_FOR_INDUCTANCE : SOLVE_FOR_TURNS;
  SolveCoil();
  return TraceAnswer();
}

// The physics reference for the last completed solve, wound with round copper wire of the
// gauge on the "Maximum wire size" line: {"gauge", "wire" (in the unit of length), the
// reference's and the dialog's values in uH, pF and MHz, "turns" when solving for turns}, or
// {"fault": why there is none}.
EMSCRIPTEN_KEEPALIVE const char* PageReference() {
  const SolvedCoil& coil = lastSolvedCoil;
  constexpr double METRES_PER_MILLIMETRE = 0.001;
  const double metresPerUnit =
      lengthScale == INCHES.scale ? METRES_PER_INCH : METRES_PER_MILLIMETRE;
  answer = "{\"solveMode\":" + std::to_string(solveMode);
  // Beyond any drawn wire: the pitch is finer than a float holds.
  constexpr float FINEST_GAUGE = 100000;
  if (!(coil.gauge <= FINEST_GAUGE)) {
    answer += ",\"fault\":\"the winding's pitch is too fine for any wire gauge\"}";
    return answer.c_str();
  }
  const double wire = AwgDiameter(coil.gauge);
  const double D = coil.D * METRES_PER_INCH;
  const double H = coil.H * METRES_PER_INCH;
  CoilReference reference;
  const ReferenceFault fault = ComputeCoilReference(D, H, coil.N, wire, reference);
  AppendNumber(answer, "gauge", coil.gauge);
  AppendNumber(answer, "wire", wire / metresPerUnit);
  if (fault != ReferenceFault::NONE) {
    answer += ",\"fault\":";
    AppendJsonString(answer, ReferenceFaultText(fault));
    answer += '}';
    return answer.c_str();
  }
  AppendNumber(answer, "sheetInductance", reference.sheetInductance * 1e6);
  AppendNumber(answer, "inductance", reference.inductance * 1e6);
  AppendNumber(answer, "capacitance", reference.selfCapacitance * 1e12);
  AppendNumber(answer, "helicalResonance", reference.helicalResonance * 1e-6);
  AppendNumber(answer, "lumpedResonance", reference.lumpedResonance * 1e-6);
  AppendNumber(answer, "dialogInductance", coil.L);
  AppendNumber(answer, "dialogCapacitance", coil.C);
  AppendNumber(answer, "dialogResonance", coil.F);
  AppendNumber(answer, "dialogTurns", coil.N);
  if (solveMode != SOLVE_FOR_INDUCTANCE) {
    AppendNumber(answer, "turns", ReferenceTurns(D, H, wire, coil.L * 1e-6));
  }
  answer += '}';
  return answer.c_str();
}

}  // extern "C"
