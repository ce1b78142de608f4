// Real mouse and keyboard input for the end-to-end tests, and strict waiting on the program.
#include "user_input.h"

#include <cstdlib>
#include <string>

#include "control_ids.h"

namespace {

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Absolute positions run from 0 to 65535 across the screen.
void SetAbsolutePosition(INPUT& input, POINT at) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  input.mi.dx = static_cast<LONG>((at.x * 65535LL + width / 2) / (width - 1));
  input.mi.dy = static_cast<LONG>((at.y * 65535LL + height / 2) / (height - 1));
}

void MouseTo(POINT at) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  SetAbsolutePosition(input, at);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

// A press or release of the left button at `at`, the move and the button in one input.
//
// Under Wine a move sent with SendInput also warps the X pointer, and the X server reports that
// motion to the program's window later; the program's X driver feeds the report back in as a
// move to where the pointer was warped. That report can arrive after a later move: a release
// sent on its own would then happen where the pointer was before (a press that should slide
// off a button clicked it, about one press in ten under load). A button input that carries its
// own position happens there, whatever moves come in between.
void MouseButton(DWORD flag, POINT at) {
  // Two presses close together in time and place make a double click, which a field takes
  // as "select a word" without taking the focus: every press here is a single click.
  static DWORD lastPressTick = 0;
  static POINT lastPressAt = {-1000, -1000};
  if (flag == MOUSEEVENTF_LEFTDOWN) {
    const DWORD since = GetTickCount() - lastPressTick;
    if (std::abs(at.x - lastPressAt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(at.y - lastPressAt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) &&
        since <= GetDoubleClickTime()) {
      Sleep(GetDoubleClickTime() - since + 20);
    }
    lastPressTick = GetTickCount();
    lastPressAt = at;
  }
  INPUT input{};
  input.type = INPUT_MOUSE;
  SetAbsolutePosition(input, at);
  input.mi.dwFlags = flag | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

POINT Middle(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool WaitForPushed(HWND button, bool pushed) {
  const DWORD start = GetTickCount();
  for (;;) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(button, BM_GETSTATE, 0, 0, SMTO_ABORTIFHUNG, 1000, &state);
    if (((state & BST_PUSHED) != 0) == pushed) return true;
    if (GetTickCount() - start > 5000) return false;
    Sleep(1);
  }
}

}  // namespace

void ClickMiddle(HWND window) {
  const POINT at = Middle(window);
  MouseTo(at);
  MouseButton(MOUSEEVENTF_LEFTDOWN, at);
  MouseButton(MOUSEEVENTF_LEFTUP, at);
}

bool ClickButtonWithMouse(HWND button) {
  const POINT at = Middle(button);
  MouseTo(at);
  MouseButton(MOUSEEVENTF_LEFTDOWN, at);
  const bool pressed = WaitForPushed(button, true);
  MouseButton(MOUSEEVENTF_LEFTUP, at);
  // The button lets go of its pushed look while it takes the release, before it reports the
  // click to the dialog.
  return WaitForPushed(button, false) && pressed;
}

void PressAndSlideOff(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  const POINT at = Middle(window);
  MouseTo(at);
  MouseButton(MOUSEEVENTF_LEFTDOWN, at);
  // Off the window but still on the screen.
  const POINT off = {at.x, r.top > 40 ? r.top - 30 : r.bottom + 30};
  MouseTo(off);
  MouseButton(MOUSEEVENTF_LEFTUP, off);
}

void PressKey(WORD key, bool unicode) {
  INPUT keys[2]{};
  keys[0].type = INPUT_KEYBOARD;
  if (unicode) {
    keys[0].ki.wScan = key;
    keys[0].ki.dwFlags = KEYEVENTF_UNICODE;
  } else {
    keys[0].ki.wVk = key;
  }
  keys[1] = keys[0];
  keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof keys[0]);
}

void PressChord(WORD held, WORD key) {
  INPUT keys[4]{};
  for (INPUT& k : keys) k.type = INPUT_KEYBOARD;
  keys[0].ki.wVk = held;
  keys[1].ki.wVk = key;
  keys[2].ki.wVk = key;
  keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
  keys[3].ki.wVk = held;
  keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, keys, sizeof keys[0]);
}

HWND FocusedWindow(const Program& program) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(program.info.dwThreadId, &info)) return nullptr;
  return info.hwndFocus;
}

std::vector<HWND> OpenBoxes(const Program& program) {
  struct Search {
    DWORD pid;
    HWND dialog;
    std::vector<HWND> found;
  } search{program.info.dwProcessId, program.dialog, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->pid && window != s->dialog && ClassOf(window) == "#32770") {
          s->found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool IsResponsive(const Program& program, int timeoutMs) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(program.dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                             static_cast<UINT>(timeoutMs), &answer) != 0;
}

LRESULT SendToDialog(const Program& program, UINT message, WPARAM wParam) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(program.dialog, message, wParam, 0, SMTO_ABORTIFHUNG, 5000, &answer)) {
    return 0;
  }
  return static_cast<LRESULT>(answer);
}

bool WaitUntilIdle(const Program& program, int timeoutMs) {
  // A marker travels through the program's queue behind everything posted before it: the
  // typing limit of a read-only result line, which nobody can type into anyway.
  static LPARAM nextMarker = 1000000;
  const LPARAM marker = ++nextMarker;
  const HWND line = GetDlgItem(program.dialog, IDC_WIRE_LENGTH);
  PostMessageA(line, EM_SETLIMITTEXT, static_cast<WPARAM>(marker), 0);
  const DWORD start = GetTickCount();
  for (;;) {
    DWORD_PTR limit = 0;
    SendMessageTimeoutA(line, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 1000, &limit);
    if (static_cast<LPARAM>(limit) == marker) return true;
    if (static_cast<int>(GetTickCount() - start) >= timeoutMs) return false;
    Sleep(1);
  }
}
