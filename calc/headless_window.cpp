// The in-memory dialog: the window operations of the solve over a table of control texts.
#include "headless_window.h"

#include <array>

#include "control_ids.h"
#include "solve.h"
#include "window_ops.h"

namespace {

struct ControlText {
  int id;
  const char* startText;
  std::string text;
};

// Every control of the dialog with the text it has when the program starts.
std::array<ControlText, 25> controls = {{
    {IDC_UNIT_MM, "mm", {}},
    {IDC_UNIT_INCHES, "inches", {}},
    {IDC_UNITS_FRAME, "Units of Length", {}},
    {IDC_QUIT, "Quit!", {}},
    {IDC_SKETCH, "", {}},
    {IDC_SOLVE_INDUCTANCE, "Solve for Inductance", {}},
    {IDC_SOLVE_TURNS, "Solve for # of turns", {}},
    {IDC_ABOUT, "About this program", {}},
    {IDC_CALCULATE_FRAME, "Calculate", {}},
    {IDC_DIAMETER, "", {}},
    {IDC_HEIGHT, "", {}},
    {IDC_TURNS, "", {}},
    {IDC_INDUCTANCE, "", {}},
    {IDC_WIRE_LENGTH, "Wire Length: ", {}},
    {IDC_WIRE_SIZE, "Maximum wire size (AWG):", {}},
    {IDC_CAPACITANCE, "Stray Capacitance:", {}},
    {IDC_RESONANCE, "Self-resonant at approximately:", {}},
    {IDC_INDUCTANCE_UNIT, "uH", {}},
    {IDC_DIAMETER_LABEL, "Form diameter", {}},
    {IDC_DIAMETER_UNIT, " inches", {}},
    {IDC_HEIGHT_LABEL, "Winding height", {}},
    {IDC_HEIGHT_UNIT, " inches", {}},
    {IDC_TURNS_LABEL, "Enter # of Turns:", {}},
    {IDC_INDUCTANCE_LABEL, "Enter Inductance:", {}},
    {IDC_WINDING_FRAME, "Winding Data", {}},
}};

struct Field {
  int id;
  const char* name;
};

const std::array<Field, 9> fields = {{
    {IDC_DIAMETER, "diameter"},
    {IDC_HEIGHT, "height"},
    {IDC_TURNS, "turns"},
    {IDC_INDUCTANCE_UNIT, "inductance_unit"},
    {IDC_WIRE_LENGTH, "wire_length"},
    {IDC_WIRE_SIZE, "wire_size"},
    {IDC_CAPACITANCE, "capacitance"},
    {IDC_RESONANCE, "resonance"},
    {IDC_INDUCTANCE, "inductance"},
}};

std::vector<TraceEntry> trace;

ControlText* FindControl(int id) {
  for (ControlText& control : controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

}  // namespace

void ResetHeadlessDialog() {
  for (ControlText& control : controls) control.text = control.startText;
  lengthScale = 1.0f;
  solveMode = 0;
  wireLengthText = PeekControlText(IDC_WIRE_LENGTH);
  wireSizeText = PeekControlText(IDC_WIRE_SIZE);
  capacitanceText = PeekControlText(IDC_CAPACITANCE);
  resonanceText = PeekControlText(IDC_RESONANCE);
  trace.clear();
}

std::string FieldName(int id) {
  for (const Field& field : fields) {
    if (field.id == id) return field.name;
  }
  return {};
}

int FieldId(const std::string& name) {
  for (const Field& field : fields) {
    if (name == field.name) return field.id;
  }
  return 0;
}

const std::vector<std::string>& FieldNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> list;
    for (const Field& field : fields) list.emplace_back(field.name);
    return list;
  }();
  return names;
}

void SeedControlText(int id, const std::string& text) {
  if (ControlText* control = FindControl(id)) control->text = text;
}

const std::string& PeekControlText(int id) {
  static const std::string none;
  const ControlText* control = FindControl(id);
  return control ? control->text : none;
}

const std::vector<TraceEntry>& HeadlessTrace() { return trace; }

void ClearHeadlessTrace() { trace.clear(); }

std::string GetControlText(int id) { return PeekControlText(id); }

void SetControlText(int id, const std::string& text) {
  ControlText* control = FindControl(id);
  if (!control) return;
  control->text = text;
  trace.push_back({false, FieldName(id), text});
}

void ShowMessageBox(const std::string& text, const std::string& caption) {
  trace.push_back({true, caption, text});
}
