// The main window's event handlers: unit switch, quit, and the two solves.
#include "handlers.h"

#include "control_ids.h"
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
  const int id = LOWORD(wParam);
  if (id == IDC_UNIT_MM) {
    lengthScale = MILLIMETRES_PER_INCH;
    SetControlText(IDC_DIAMETER_UNIT, " mm");
    SetControlText(IDC_HEIGHT_UNIT, " mm");
  } else if (id == IDC_UNIT_INCHES) {
    lengthScale = 1.0f;
    SetControlText(IDC_DIAMETER_UNIT, " inches");
    SetControlText(IDC_HEIGHT_UNIT, " inches");
  }
  // The old results belong to the old unit. The last two captions keep the two blanks that
  // a result line puts after them, unlike the start-up captions.
  SetControlText(IDC_WIRE_LENGTH, "Wire Length: ");
  SetControlText(IDC_WIRE_SIZE, "Maximum wire size (AWG):");
  SetControlText(IDC_CAPACITANCE, "Stray Capacitance:  ");
  SetControlText(IDC_RESONANCE, "Self-resonant at approximately:  ");
  return 1;
}

LONG QuitCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (IsClick(message, wParam)) EndMainDialog(dialog);
  return 0;
}

LONG SolveInductanceCallback(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (IsClick(message, wParam) && LOWORD(wParam) == IDC_SOLVE_INDUCTANCE) {
    solveMode = 1;
    SolveCoil();
  }
  return 0;
}

LONG SolveTurnsCallback(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (IsClick(message, wParam) && LOWORD(wParam) == IDC_SOLVE_TURNS) {
    solveMode = 0;
    SolveCoil();
  }
  return 0;
}
