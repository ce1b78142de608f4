// The main window's event handlers: unit switch, quit, and the two solves.
#include "handlers.h"

#include "dialog_controls.h"
#include "main_window.h"
#include "solve.h"
#include "window_ops.h"

namespace {

bool IsClick(UINT message, WPARAM wParam) {
  return message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED;
}

}  // namespace

LONG UnitOptionCallback(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (!IsClick(message, wParam)) return 0;
  for (const LengthUnit* unit : LENGTH_UNITS) {
    if (LOWORD(wParam) != unit->optionId) continue;
    lengthScale = unit->scale;
    SetControlText(IDC_DIAMETER_UNIT, unit->fieldLabel);
    SetControlText(IDC_HEIGHT_UNIT, unit->fieldLabel);
  }
  // The old results belong to the old unit.
  for (const ResultCaption& caption : UNIT_SWITCH_CAPTIONS)
    SetControlText(caption.id, caption.text);
  return 1;
}

LONG QuitCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (IsClick(message, wParam)) EndMainDialog(dialog);
  return 0;
}

LONG SolveInductanceCallback(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (IsClick(message, wParam) && LOWORD(wParam) == IDC_SOLVE_INDUCTANCE) {
    solveMode = SOLVE_FOR_INDUCTANCE;
    SolveCoil();
  }
  return 0;
}

LONG SolveTurnsCallback(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (IsClick(message, wParam) && LOWORD(wParam) == IDC_SOLVE_TURNS) {
    solveMode = SOLVE_FOR_TURNS;
    SolveCoil();
  }
  return 0;
}
