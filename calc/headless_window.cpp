// The in-memory dialog: the window operations of the solve over a table of control texts.
#include "headless_window.h"

#include <array>

#include "dialog_controls.h"
#include "window_ops.h"

namespace {

// The current text of each control, in the order of DIALOG_CONTROLS.
std::array<std::string, DIALOG_CONTROLS.size()> texts;

std::vector<TraceEntry> trace;

std::string* FindText(int id) {
  for (std::size_t i = 0; i < DIALOG_CONTROLS.size(); ++i) {
    if (DIALOG_CONTROLS[i].id == id) return &texts[i];
  }
  return nullptr;
}

}  // namespace

void ResetHeadlessDialog() {
  for (std::size_t i = 0; i < DIALOG_CONTROLS.size(); ++i) texts[i] = DIALOG_CONTROLS[i].startText;
  lengthScale = INCHES.scale;
  solveMode = SOLVE_FOR_TURNS;
  ResetResultLines();
  trace.clear();
}

void RunSolveCase(const SolveCase& solveCase) {
  ResetHeadlessDialog();
  for (const auto& [id, text] : solveCase.seeds) SeedControlText(id, text);
  lengthScale = solveCase.lengthScale;
  solveMode = solveCase.solveMode;
  SolveCoil();
}

bool SolveCompleted() {
  return !trace.empty() && !trace.back().isMessage &&
         trace.back().subject == FindDialogControl(IDC_RESONANCE)->fieldName;
}

std::string FieldName(int id) {
  const DialogControl* control = FindDialogControl(id);
  return control ? control->fieldName : "";
}

void SeedControlText(int id, const std::string& text) {
  if (std::string* current = FindText(id)) *current = text;
}

const std::string& PeekControlText(int id) {
  static const std::string none;
  const std::string* current = FindText(id);
  return current ? *current : none;
}

const std::vector<TraceEntry>& HeadlessTrace() { return trace; }

void ClearHeadlessTrace() { trace.clear(); }

std::string GetControlText(int id) { return PeekControlText(id); }

void SetControlText(int id, const std::string& text) {
  std::string* current = FindText(id);
  if (!current) return;
  *current = text;
  trace.push_back({false, FieldName(id), text, id});
}

void ShowMessageBox(const std::string& text, const std::string& caption) {
  trace.push_back({true, caption, text});
}
