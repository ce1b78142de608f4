// The main window's event handlers (unit options, "Quit!", solve buttons) and its ending.
#pragma once

#include <windows.h>

// Every handler has the window-procedure shape; nonzero means the message is fully handled.
using EventHandler = LONG (*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Ends the dialog: WM_CLOSE first, then the window is destroyed, which ends the modal run.
void EndMainDialog(HWND dialog);

// Switches the length unit on a click of either unit option; returns 1 after a switch.
LONG UnitOptionCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Ends the dialog on a click; returns 0.
LONG QuitCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Solves for the inductance on a click of its own button; returns 0.
LONG SolveInductanceCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Solves for the number of turns on a click of its own button; returns 0.
LONG SolveTurnsCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
