// The main dialog: its handle, its colour, and its start-up and modal run.
#pragma once

#include <windows.h>

#include "dialog_controls.h"

// The main dialog's window handle, set as soon as the dialog exists.
extern HWND mainDialog;

// The cream background of the dialog and of its labels, group boxes, options, result lines
// and sketch.
constexpr COLORREF MAIN_BACKGROUND =
    RGB(MAIN_BACKGROUND_RGB[0], MAIN_BACKGROUND_RGB[1], MAIN_BACKGROUND_RGB[2]);

// Builds the dialog and its controls, runs it until it has been destroyed, and returns the
// process's exit code (always 0).
int RunMainWindow(HINSTANCE instance);
