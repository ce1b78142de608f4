// The main window's event handlers: each decodes its message and calls the portable action.
#include "handlers.h"

#include "dialog_actions.h"
#include "solve.h"

namespace {

bool IsClick(UINT message, WPARAM wParam) {
  return message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED;
}

}  // namespace

void EndMainDialog(HWND dialog) {
  SendMessageA(dialog, WM_CLOSE, 0, 0);
  DestroyWindow(dialog);
}

LONG UnitOptionCallback(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (!IsClick(message, wParam)) return 0;
  SwitchLengthUnit(LOWORD(wParam));
  return 1;
}

LONG QuitCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (IsClick(message, wParam)) EndMainDialog(dialog);
  return 0;
}

LONG SolveInductanceCallback(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (IsClick(message, wParam) && LOWORD(wParam) == IDC_SOLVE_INDUCTANCE)
    SolveInMode(SOLVE_FOR_INDUCTANCE);
  return 0;
}

LONG SolveTurnsCallback(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (IsClick(message, wParam) && LOWORD(wParam) == IDC_SOLVE_TURNS) SolveInMode(SOLVE_FOR_TURNS);
  return 0;
}
