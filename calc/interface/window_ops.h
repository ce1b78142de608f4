// The three window operations through which the solve talks to the dialog.
// The program links exactly one implementation: the Win32 one (ui/) or the
// in-memory one (calc/headless_window.cpp) used by the command line and tests.
// Declarations only: with the control ids they are what the dialog's parts share.
#pragma once

#include <string>

// The style of every message box the program shows: MB_OK | MB_ICONINFORMATION | MB_TASKMODAL
// (one OK button, the information icon, modal for the whole task).
inline constexpr unsigned MESSAGE_BOX_STYLE = 0x2040;

// The whole current text of control `id` (for the unit drop-down: its edit text).
std::string GetControlText(int id);

// Replaces the whole text of control `id`.
void SetControlText(int id, const std::string& text);

// Shows a task-modal message box (one OK button, information icon, no owner)
// and returns when it has been closed.
void ShowMessageBox(const std::string& text, const std::string& caption);
