// The program under test as a user meets it: started, its controls read and set, clicked with
// the mouse, keys pressed through SendInput, its message boxes found, read and closed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct RunningProgram {
  PROCESS_INFORMATION process{};
  HWND dialog = nullptr;
};

// Starts the program and waits for its main dialog to show.
bool StartProgram(const char* path, RunningProgram& program);
// Clicks "Quit!" and waits for the process to end; false when it does not end in time.
bool QuitProgram(RunningProgram& program, DWORD& exitCode);
// True while the program answers a message within `timeoutMs`.
bool IsResponsive(const RunningProgram& program, int timeoutMs);
// Sends a message to the main dialog and returns its answer (0 if there was none in time).
LRESULT SendToDialog(const RunningProgram& program, UINT message, WPARAM wParam);
// Returns once every message posted to the program before it has been handled, possibly
// inside a message box that is now open; false if the program does not get there in time.
bool WaitUntilIdle(const RunningProgram& program, int timeoutMs = 5000);

std::string ControlText(HWND control);
void SetControlText(HWND control, const std::string& text);
// A click as the button's own message: it never blocks, even if the click opens a box.
void ClickButton(HWND button);

// Brings the dialog to the front so that SendInput reaches it.
void BringToFront(HWND dialog);
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

// The window that holds the keyboard focus in the program, or nullptr.
HWND FocusedWindow(HWND dialog);
// The dialog's direct child that holds the keyboard focus, or nullptr.
HWND FocusedChild(HWND dialog);

struct MessageBoxView {
  HWND box = nullptr;
  std::string caption;
  std::string text;
  std::vector<std::string> buttons;  // texts of the push buttons, in Z order
  std::vector<int> buttonIds;
  bool hasIcon = false;
  HWND owner = nullptr;
};

// The program's top-level dialog windows other than its main dialog: its message boxes.
std::vector<HWND> OpenBoxes(const RunningProgram& program);
// Waits up to `timeoutMs` for a message box and returns it, or nullptr.
HWND WaitForBox(const RunningProgram& program, int timeoutMs);
MessageBoxView ReadBox(HWND box);
// Presses the box's OK button and waits until the box is gone.
bool CloseBox(HWND box, int timeoutMs);
