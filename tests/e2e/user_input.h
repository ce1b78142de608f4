// Real mouse and keyboard input for the end-to-end tests, beyond what the driver offers:
// clicks at a control, a press that slides off, typed characters, and strict waiting.
#pragma once

#include <windows.h>

#include <vector>

#include "driver.h"

// A full left click in the middle of the window.
void ClickMiddle(HWND window);
// A mouse click on a push button or option that returns once the program has taken the
// button's release, so WaitUntilIdle() afterwards covers everything the click does.
bool ClickButtonWithMouse(HWND button);
// Presses the left button on the window, slides off it and releases there: the window takes
// the focus, but a push button or option is not clicked.
void PressAndSlideOff(HWND window);
// One key press and release; with `unicode`, `key` is a character instead of a virtual key.
void PressKey(WORD key, bool unicode = false);
// A key pressed while another is held down (Shift+End).
void PressChord(WORD held, WORD key);

// The window that holds the keyboard focus in the program (the inner edit of the unit box,
// not the box itself), or nullptr.
HWND FocusedWindow(const Program& program);

// Every message box the program has open: its top-level dialogs other than the main one.
std::vector<HWND> OpenBoxes(const Program& program);
// True while the program answers a message within `timeoutMs`.
bool IsResponsive(const Program& program, int timeoutMs);
// Sends a message to the main dialog and returns its answer (0 if there was none in time).
LRESULT SendToDialog(const Program& program, UINT message, WPARAM wParam);
// Returns once every message posted to the program before the call has been handled, or
// handled inside a message box that is open now; false if the program does not get there.
bool WaitUntilIdle(const Program& program, int timeoutMs = 5000);
