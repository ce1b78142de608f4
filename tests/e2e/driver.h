// Drives the Windows program from another process, the way a user would: finds its dialog,
// types into fields, clicks buttons, presses keys, reads texts back and answers message boxes.
//
// Every function works across processes under Wine and on Windows. Texts are read with
// SendMessageTimeoutA so that a program that hangs fails a test instead of blocking it.
//
// Typical use:
//   Program program;
//   ASSERT_TRUE(StartProgram(program));                 // coilcalc.exe, dialog shown
//   WriteText(ControlOf(program, IDC_DIAMETER), "1");
//   Click(ControlOf(program, IDC_SOLVE_INDUCTANCE));     // never waits for the answer
//   MessageBoxInfo box;
//   if (WaitForMessageBox(program, box)) DismissMessageBox(program, box);
//   Settle(program);                                     // the click has been handled
//   ReadText(ControlOf(program, IDC_INDUCTANCE));
//   StopProgram(program);                                // ends it if still running
//
// Environment: COILCALC_EXE names the program to start (a Windows path; tests/e2e/run-e2e.sh
// sets it), COILCALC_ARTIFACTS a folder for screenshots.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

// The main dialog's caption, every blank counted.
extern const char* const MAIN_CAPTION;

struct Program {
  PROCESS_INFORMATION info{};
  HWND dialog = nullptr;
};

// The program under test: $COILCALC_EXE, else coilcalc.exe on the search path.
std::string ProgramPath();
// A folder for test artifacts (screenshots): $COILCALC_ARTIFACTS, else the current folder.
std::string ArtifactFolder();

// Starts the program and waits until its main dialog (class "#32770" with MAIN_CAPTION, of
// this process) is visible. False when it does not appear in time.
bool StartProgram(Program& program, const std::string& path = ProgramPath(),
                  const char* caption = MAIN_CAPTION, DWORD timeoutMs = 10000);
// Closes any message box, ends the process if it still runs, releases the handles.
void StopProgram(Program& program);
// Waits for the process to end on its own; false on timeout. The exit code goes to *exitCode.
bool WaitForExit(Program& program, DWORD timeoutMs, DWORD* exitCode);

// A control of the main dialog by its id (nullptr when there is none).
HWND ControlOf(const Program& program, int id);
// The whole text of a window (for a drop-down combo box: its edit text).
std::string ReadText(HWND window);
// Replaces the text of a window with WM_SETTEXT, as typing a whole new entry would.
bool WriteText(HWND window, const std::string& text);
// Clicks a button: BM_CLICK, sent without waiting for the answer, so that a message box it
// opens cannot block the driver; the program's answer is noted when it comes (see Settle).
void Click(HWND button);
// Returns once the program has finished handling every click made so far, or is showing a
// message box (whose own loop then runs), or has ended. Needed before reading results that
// may be unchanged by the click.
void Settle(const Program& program);
// Polls until the window's text equals `expected`; false on timeout.
bool WaitForText(HWND window, const std::string& expected, DWORD timeoutMs = 5000);

// A message box of the program's process, as the user sees it.
struct MessageBoxInfo {
  HWND window = nullptr;
  std::string text;  // the box's text static (id 0xFFFF)
  std::string caption;
  int buttons = 0;    // visible buttons
  int okButtons = 0;  // of them: id IDOK with the text "OK"
  bool icon = false;  // an SS_ICON static with an icon set
  HWND owner = nullptr;
  bool dialogDisabled = false;  // the main dialog was disabled while the box was up
};

// The message box the program shows now, if any (a top-level "#32770" of its process other
// than the main dialog).
bool FindMessageBox(const Program& program, MessageBoxInfo& box);
// Polls for a message box; false when none appears in time.
bool WaitForMessageBox(const Program& program, MessageBoxInfo& box, DWORD timeoutMs = 5000);
// Clicks the box's OK button and waits until the box is gone and the program is past it.
bool DismissMessageBox(const Program& program, const MessageBoxInfo& box, DWORD timeoutMs = 5000);

// Brings the dialog to the front and types virtual keys with SendInput (down and up each).
bool PressKeys(const Program& program, std::initializer_list<WORD> keys);
// The direct child of the dialog that holds the keyboard focus (the combo box, not its inner
// edit), or nullptr.
HWND FocusedControl(const Program& program);

// A copy of what the screen shows of a window, rows top-down, for sampling colours.
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
// Copies the window's rectangle from the screen. The window must be on top and unobscured.
bool CaptureWindow(HWND window, Capture& capture);
// The same once the program has drawn what it had to: none of its dialog's windows waits to be
// painted, it has been idle since (Wine puts a window's drawing on the screen then), and two
// copies in a row agree. False when that does not happen in time. A fixed pause before a copy
// was too short now and then on a loaded machine: a field still showed the dialog's background.
bool CapturePainted(const Program& program, HWND window, Capture& capture, DWORD timeoutMs = 10000);
// Writes a capture as a 24-bit BMP file.
bool SaveBitmap(const Capture& capture, const std::string& path);

// The pixel rectangle, relative to the dialog's client area, of a rectangle in dialog units
// of the main dialog's font ("MS Sans Serif" 8 pt), mapped by the platform itself.
RECT DialogUnitsToPixels(int x, int y, int w, int h);
// A window's rectangle relative to the dialog's client area.
RECT RectInDialog(HWND dialog, HWND control);

// True under Wine, where a few platform answers differ from Windows'.
bool RunningUnderWine();

// Milliseconds from CreateProcess to the first visible top-level window of the new process.
// Negative when none appeared within timeoutMs. The process is ended afterwards.
double StartupMilliseconds(const std::string& path, DWORD timeoutMs = 10000);
