// The page's engine: the dialog's own procedures run headless in WebAssembly, each click
// answered with the trace of control writes and message boxes that the page then shows in order.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>
#include <vector>

#include "design_answer.h"
#include "design_request.h"
#include "dialog_actions.h"
#include "dialog_controls.h"
#include "headless_window.h"
#include "help_boxes.h"
#include "help_texts.h"
#include "json_writer.h"
#include "reference_format.h"
#include "solve.h"
#include "sweep_format.h"

namespace {

// The last answer; the page copies it before it calls again.
std::string answer;
// The text of the physics panel's frequency field, and whether a solve has completed since
// start-up, so that the panel has a coil to show.
std::string frequencyText;
bool solvedOnce = false;
// The text of the panel's base height field: the coil grounded at its lower end that high.
std::string baseHeightText;

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

void AppendBool(std::string& out, bool value) { out += value ? "true" : "false"; }

// {TASK:ID,...}: the push buttons by their task.
void AppendButtons(std::string& out) {
  const std::pair<const char*, int> buttons[] = {{"solveInductance", IDC_SOLVE_INDUCTANCE},
                                                 {"solveTurns", IDC_SOLVE_TURNS},
                                                 {"about", IDC_ABOUT},
                                                 {"quit", IDC_QUIT}};
  out += '{';
  for (const auto& [task, id] : buttons) {
    AppendJsonKey(out, task, task == buttons[0].first);
    AppendJsonInteger(out, id);
  }
  out += '}';
}

// The members of the dialog's size, font and background colour.
void AppendLook(std::string& out) {
  AppendJsonKey(out, "width");
  AppendJsonInteger(out, DIALOG_WIDTH);
  AppendJsonKey(out, "height");
  AppendJsonInteger(out, DIALOG_HEIGHT);
  AppendJsonKey(out, "font");
  AppendJsonString(out, DIALOG_FONT);
  AppendJsonKey(out, "fontPoints");
  AppendJsonInteger(out, DIALOG_FONT_POINTS);
  AppendJsonKey(out, "background");
  out += '[';
  for (const int level : MAIN_BACKGROUND_RGB) {
    AppendJsonComma(out);
    AppendJsonInteger(out, level);
  }
  out += ']';
}

// [TEXT,...]: the inductance unit box's choices.
void AppendInductanceUnits(std::string& out) {
  out += '[';
  for (const char* unit : INDUCTANCE_UNITS) {
    AppendJsonComma(out);
    AppendJsonString(out, unit);
  }
  out += ']';
}

// [{"optionId":ID,"selected":BOOL},...]: the length unit options, inches selected.
void AppendLengthUnits(std::string& out) {
  out += '[';
  for (const LengthUnit* unit : LENGTH_UNITS) {
    AppendJsonComma(out);
    out += '{';
    AppendJsonKey(out, "optionId", true);
    AppendJsonInteger(out, unit->optionId);
    AppendJsonKey(out, "selected");
    AppendBool(out, unit == &INCHES);
    out += '}';
  }
  out += ']';
}

// [{"id":ID,"kind":KIND,"text":TEXT,"x":..,"y":..,"w":..,"h":..,"coloured":BOOL,
// "tabStop":BOOL,"help":BOOL},...]: the controls in creation order.
void AppendControls(std::string& out) {
  out += '[';
  for (const DialogControl& control : DIALOG_CONTROLS) {
    AppendJsonComma(out);
    out += '{';
    AppendJsonKey(out, "id", true);
    AppendJsonInteger(out, control.id);
    AppendJsonKey(out, "kind");
    AppendJsonString(out, KindName(control.kind));
    AppendJsonKey(out, "text");
    AppendJsonString(out, control.startText);
    const std::pair<const char*, int> place[] = {
        {"x", control.x}, {"y", control.y}, {"w", control.w}, {"h", control.h}};
    for (const auto& [name, value] : place) {
      AppendJsonKey(out, name);
      AppendJsonInteger(out, value);
    }
    AppendJsonKey(out, "coloured");
    AppendBool(out, control.coloured);
    AppendJsonKey(out, "tabStop");
    AppendBool(out, IsTabStop(control));
    AppendJsonKey(out, "help");
    AppendBool(out, ContextHelpText(control.id) != nullptr);
    out += '}';
  }
  out += ']';
}

// The design panel's texts of the keys, in the order of DESIGN_KEY_RULES, and its last design.
std::string designTexts[std::size(DESIGN_KEY_RULES)];
DesignProblem designProblem;
DesignOutcome designOutcome;
// The wire of the designed coil the last solve was asked for from the design panel, which the
// physics panel then shows; none after a solve of the user's own.
WireRequest designWire;
bool designSolvePending = false;

// The dialog as a design leaves it: a design solves its coils in the in-memory dialog too, so
// the page's dialog is kept aside meanwhile.
struct DialogState {
  float lengthScale;
  std::int16_t solveMode;
  SolvedCoil coil;
  std::string resultLines[4];
  std::vector<std::string> texts;
};

DialogState SaveDialog() {
  DialogState state{lengthScale,
                    solveMode,
                    lastSolvedCoil,
                    {wireLengthText, wireSizeText, capacitanceText, resonanceText},
                    {}};
  for (const DialogControl& control : DIALOG_CONTROLS)
    state.texts.push_back(PeekControlText(control.id));
  return state;
}

void RestoreDialog(const DialogState& state) {
  lengthScale = state.lengthScale;
  solveMode = state.solveMode;
  lastSolvedCoil = state.coil;
  std::string* const lines[] = {&wireLengthText, &wireSizeText, &capacitanceText, &resonanceText};
  for (int i = 0; i < 4; ++i) *lines[i] = state.resultLines[i];
  for (std::size_t i = 0; i < std::size(DIALOG_CONTROLS); ++i)
    SeedControlText(DIALOG_CONTROLS[i].id, state.texts[i]);
  ClearHeadlessTrace();
}

// The physics panel of the last completed solve: the dialog beside the wire of its own
// "Maximum wire size" line (or of the designed coil it was asked for from the design panel),
// at the frequency of the panel's field when it holds one.
void AppendPhysicsPanel(std::string& out) {
  WireRequest request = designWire;
  request.wanted = true;
  std::string error;
  if (!frequencyText.empty() && !ReadFrequency(frequencyText, request.frequency, error))
    return AppendRefusalPanel(out, "No reference at this frequency: " + error + ".");
  request.hasFrequency = !frequencyText.empty();
  if (!baseHeightText.empty() && !ReadBaseHeight(baseHeightText, request.baseHeight, error))
    return AppendRefusalPanel(out, "No reference at this base height: " + error + ".");
  request.hasBaseHeight = !baseHeightText.empty();
  static SolveReference reference;
  const bool worked = ComputeSolveReference(request, reference);
  AppendReferencePanel(out, reference, worked);
}

// The physics panel of the last completed solve with the panel's fields as they are now, or
// null before any solve has completed.
const char* PanelAnswer() {
  answer.clear();
  if (solvedOnce) {
    AppendPhysicsPanel(answer);
  } else {
    answer = "null";
  }
  return answer.c_str();
}

// {"trace":[["set",ID,TEXT] | ["message",CAPTION,TEXT], ...] of what ran since the last
// answer, and, when it was a solve that completed, "reference": the physics panel for it.
const char* TraceAnswer(bool solved) {
  answer = "{\"trace\":[";
  for (const TraceEntry& entry : HeadlessTrace()) {
    AppendJsonComma(answer);
    answer += '[';
    if (entry.isMessage) {
      answer += "\"message\",";
      AppendJsonString(answer, entry.subject);
    } else {
      answer += "\"set\",";
      AppendJsonInteger(answer, entry.id);
    }
    answer += ',';
    AppendJsonString(answer, entry.text);
    answer += ']';
  }
  answer += ']';
  ClearHeadlessTrace();
  if (solved) {
    AppendJsonKey(answer, "reference");
    AppendPhysicsPanel(answer);
  }
  answer += '}';
  return answer.c_str();
}

}  // namespace

extern "C" {

// The dialog as the page builds it: caption, size, font, colour, the 25 controls in creation
// (= tab) order, the ids of the push buttons by their task, and the inductance units.
EMSCRIPTEN_KEEPALIVE const char* PageDialog() {
  std::string& out = answer;
  out = "{";
  AppendJsonKey(out, "caption", true);
  AppendJsonString(out, DialogCaption());
  AppendJsonKey(out, "buttons");
  AppendButtons(out);
  AppendLook(out);
  AppendJsonKey(out, "inductanceUnits");
  AppendInductanceUnits(out);
  AppendJsonKey(out, "lengthUnits");
  AppendLengthUnits(out);
  AppendJsonKey(out, "controls");
  AppendControls(out);
  out += '}';
  return out.c_str();
}

// Start-up: every control at its start-up text, inches selected.
EMSCRIPTEN_KEEPALIVE void PageStart() {
  ResetHeadlessDialog();
  solvedOnce = false;
}

// The physics panel's frequency field changed to `text` (empty: none): the panel of the last
// completed solve at that frequency, or null before any solve has completed.
EMSCRIPTEN_KEEPALIVE const char* PageFrequency(const char* text) {
  frequencyText = text;
  return PanelAnswer();
}

// The plot of the last completed solve over the default band around the panel's frequency,
// with its Touchstone file and SPICE model: AppendSweepPlot's object, or null before any solve
// has completed, without a frequency, or when the coil has no reference there.
EMSCRIPTEN_KEEPALIVE const char* PageSweep() {
  answer = "null";
  WireRequest request{.wanted = true};
  std::string error;
  if (!solvedOnce || frequencyText.empty() ||
      !ReadFrequency(frequencyText, request.frequency, error))
    return answer.c_str();
  request.hasFrequency = true;
  static SolveReference reference;
  if (!ComputeSolveReference(request, reference)) return answer.c_str();
  request.sweep = DefaultSweepBand(reference.physics.selfResonance, request.frequency);
  request.hasSweep = request.hasLadder = true;
  if (!ComputeSolveReference(request, reference)) return answer.c_str();
  answer.clear();
  AppendSweepPlot(answer, reference, request.frequency);
  return answer.c_str();
}

// The physics panel's base height field changed to `text` (empty: none), in the unit of length:
// the panel of the last completed solve with that coil grounded too, or null before any solve.
EMSCRIPTEN_KEEPALIVE const char* PageBaseHeight(const char* text) {
  baseHeightText = text;
  return PanelAnswer();
}

// The page's current text of an editable control, before a solve reads it.
EMSCRIPTEN_KEEPALIVE void PageSetText(int id, const char* text) { SeedControlText(id, text); }

// A click on control `id`, delivered as the Windows program's handlers deliver it: a unit
// option switches the unit, a solve button solves, "About this program" shows its box.
EMSCRIPTEN_KEEPALIVE const char* PageClick(int id) {
  ClearHeadlessTrace();
  bool solve = false;
  for (const LengthUnit* unit : LENGTH_UNITS) {
    if (id == unit->optionId) SwitchLengthUnit(id);
  }
  if (id == IDC_SOLVE_INDUCTANCE || id == IDC_SOLVE_TURNS) {
    SolveInMode(id == IDC_SOLVE_INDUCTANCE ? SOLVE_FOR_INDUCTANCE : SOLVE_FOR_TURNS);
    solve = true;
  } else if (id == IDC_ABOUT) {
    ShowAboutBox();
  }
  if (solve && !designSolvePending) designWire = WireRequest();
  designSolvePending = false;
  if (solve && SolveCompleted()) solvedOnce = true;
  return TraceAnswer(solve && SolveCompleted());
}

// A help request on control `id`: its "What's This?" box, if it has help.
EMSCRIPTEN_KEEPALIVE const char* PageHelp(int id) {
  ClearHeadlessTrace();
  ShowContextHelp(id);
  return TraceAnswer(false);
}

// The design's keys in their order: [{"name":NAME,"mustBe":TEXT,"byDefault":TEXT},...].
EMSCRIPTEN_KEEPALIVE const char* PageDesignKeys() {
  answer = "[";
  for (const DesignKeyRule& rule : DESIGN_KEY_RULES) {
    AppendJsonComma(answer);
    answer += '{';
    AppendJsonKey(answer, "name", true);
    AppendJsonString(answer, rule.name);
    AppendJsonKey(answer, "mustBe");
    AppendJsonString(answer, rule.mustBe);
    AppendJsonKey(answer, "byDefault");
    AppendJsonString(answer, rule.byDefault);
    answer += '}';
  }
  answer += ']';
  return answer.c_str();
}

// The design panel's text of key `key` (its place in the table of the design's keys).
EMSCRIPTEN_KEEPALIVE void PageDesignText(int key, const char* text) {
  if (key >= 0 && key < static_cast<int>(std::size(designTexts))) designTexts[key] = text;
}

// Designs the coils of the design panel's texts: {"columns":[...],"rows":[...],"coils":[...]}
// or {"error":TEXT}; the dialog stays as it was.
EMSCRIPTEN_KEEPALIVE const char* PageDesign() {
  answer.clear();
  std::string error;
  designOutcome = DesignOutcome();
  if (!CheckDesignInput(DesignInputFromTexts(designTexts), designProblem, error)) {
    answer = "{";
    AppendJsonKey(answer, "error", true);
    AppendJsonString(answer, error);
    answer += '}';
    return answer.c_str();
  }
  const DialogState state = SaveDialog();
  designOutcome = DesignWithDialog(designProblem);
  AppendDesignPanel(answer, designProblem, designOutcome);
  RestoreDialog(state);
  return answer.c_str();
}

// The next solve is of designed coil `index` of the last design: the physics panel then shows
// it with its wire at the design's frequency. Answers that frequency's text.
EMSCRIPTEN_KEEPALIVE const char* PageUseDesign(int index) {
  answer.clear();
  if (index < 0 || index >= static_cast<int>(designOutcome.coils.size())) return "";
  const DesignWire& wire = designProblem.wires[designOutcome.coils[index].texts.wire];
  designWire = WireRequest();
  designWire.hasGauge = wire.byGauge;
  designWire.gauge = wire.gauge;
  std::string error;
  designWire.hasDiameter = !wire.byGauge && ReadWireDiameter(wire.text, designWire.diameter, error);
  designWire.celsius = designProblem.celsius;
  designSolvePending = true;
  frequencyText = answer = designProblem.frequencyText;
  return answer.c_str();
}

}  // extern "C"
