// The program under test as a user meets it: start, controls, mouse, keys, message boxes.
#include "user_input.h"

#include "control_ids.h"

namespace {

constexpr const char* DIALOG_CAPTION =
    "Inductance Calculator - Single-layer Air-core Coil    v1.05       by: Zorvik";

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

void MouseTo(POINT at) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  // Absolute positions run from 0 to 65535 across the screen.
  input.mi.dx = static_cast<LONG>((at.x * 65535LL + width / 2) / (width - 1));
  input.mi.dy = static_cast<LONG>((at.y * 65535LL + height / 2) / (height - 1));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void MouseButton(DWORD flag) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flag;
  SendInput(1, &input, sizeof input);
}

POINT Middle(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

HWND FindDialogOf(DWORD pid) {
  for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", DIALOG_CAPTION); window != nullptr;
       window = FindWindowExA(nullptr, window, "#32770", DIALOG_CAPTION)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == pid && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

}  // namespace

bool StartProgram(const char* path, RunningProgram& program) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = std::string("\"") + path + "\"";
  if (!CreateProcessA(path, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &program.process)) {
    return false;
  }
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 20000) {
    program.dialog = FindDialogOf(program.process.dwProcessId);
    if (program.dialog != nullptr) return true;
    if (WaitForSingleObject(program.process.hProcess, 10) == WAIT_OBJECT_0) break;
  }
  return false;
}

bool QuitProgram(RunningProgram& program, DWORD& exitCode) {
  ClickButton(GetDlgItem(program.dialog, IDC_QUIT));
  const bool ended = WaitForSingleObject(program.process.hProcess, 10000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(program.process.hProcess, 99);
  WaitForSingleObject(program.process.hProcess, 5000);
  GetExitCodeProcess(program.process.hProcess, &exitCode);
  CloseHandle(program.process.hProcess);
  CloseHandle(program.process.hThread);
  program = RunningProgram{};
  return ended;
}

bool IsResponsive(const RunningProgram& program, int timeoutMs) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(program.dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                             static_cast<UINT>(timeoutMs), &answer) != 0;
}

LRESULT SendToDialog(const RunningProgram& program, UINT message, WPARAM wParam) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(program.dialog, message, wParam, 0, SMTO_ABORTIFHUNG, 5000, &answer)) {
    return 0;
  }
  return static_cast<LRESULT>(answer);
}

bool WaitUntilIdle(const RunningProgram& program, int timeoutMs) {
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

std::string ControlText(HWND control) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
    return {};
  }
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 2000, &copied)) {
    return {};
  }
  text.resize(copied < length ? copied : length);
  return text;
}

void SetControlText(HWND control, const std::string& text) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_ABORTIFHUNG, 5000, &answer);
}

void ClickButton(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void BringToFront(HWND dialog) {
  if (GetForegroundWindow() != dialog) SetForegroundWindow(dialog);
}

void ClickMiddle(HWND window) {
  MouseTo(Middle(window));
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
}

namespace {

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

bool ClickButtonWithMouse(HWND button) {
  MouseTo(Middle(button));
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  const bool pressed = WaitForPushed(button, true);
  MouseButton(MOUSEEVENTF_LEFTUP);
  // The button lets go of its pushed look while it takes the release, before it reports the
  // click to the dialog.
  return WaitForPushed(button, false) && pressed;
}

void PressAndSlideOff(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MouseTo(Middle(window));
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  // Off the window but still on the screen.
  MouseTo({(r.left + r.right) / 2, r.top > 40 ? r.top - 30 : r.bottom + 30});
  MouseButton(MOUSEEVENTF_LEFTUP);
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

HWND FocusedWindow(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

HWND FocusedChild(HWND dialog) {
  HWND window = FocusedWindow(dialog);
  // The unit box's inner edit takes the focus: count it as the box's.
  while (window != nullptr && GetParent(window) != dialog) window = GetParent(window);
  return window;
}

std::vector<HWND> OpenBoxes(const RunningProgram& program) {
  struct Search {
    DWORD pid;
    HWND dialog;
    std::vector<HWND> found;
  } search{program.process.dwProcessId, program.dialog, {}};
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

HWND WaitForBox(const RunningProgram& program, int timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (HWND box : OpenBoxes(program)) {
      if (IsWindowVisible(box)) return box;
    }
    if (static_cast<int>(GetTickCount() - start) >= timeoutMs) return nullptr;
    Sleep(2);
  }
}

MessageBoxView ReadBox(HWND box) {
  MessageBoxView view;
  view.box = box;
  view.caption = ControlText(box);
  // A message box's text is the static with id 0xFFFF.
  view.text = ControlText(GetDlgItem(box, 0xFFFF));
  view.owner = GetWindow(box, GW_OWNER);
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string cls = ClassOf(child);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (cls == "Button" && IsWindowVisible(child)) {
      view.buttons.push_back(ControlText(child));
      view.buttonIds.push_back(GetDlgCtrlID(child));
    } else if (cls == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
      view.hasIcon = true;
    }
  }
  return view;
}

bool CloseBox(HWND box, int timeoutMs) {
  const HWND ok = GetDlgItem(box, IDOK);
  if (ok == nullptr) return false;
  PostMessageA(ok, BM_CLICK, 0, 0);
  const DWORD start = GetTickCount();
  while (IsWindow(box)) {
    if (static_cast<int>(GetTickCount() - start) >= timeoutMs) return false;
    Sleep(1);
  }
  return true;
}
