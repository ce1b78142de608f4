// The driver behind the end-to-end tests: starts the program, finds its windows, sends it
// input and reads its state back, all from outside its process.
#include "driver.h"

#include <array>
#include <fstream>

const char* const MAIN_CAPTION =
    "Inductance Calculator - Single-layer Air-core Coil    v1.05       by: Zorvik";

namespace {

constexpr UINT SEND_TIMEOUT_MS = 3000;

// Clicks delivered whose handling the program has not finished yet.
int clicksInProgress = 0;

std::string ClassOf(HWND window) {
  std::array<char, 64> name{};
  GetClassNameA(window, name.data(), static_cast<int>(name.size()));
  return name.data();
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

struct WindowSearch {
  DWORD process;
  const char* caption;  // nullptr: any
  HWND exclude;
  HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  if (ProcessOf(window) != search->process || window == search->exclude) return TRUE;
  if (!IsWindowVisible(window)) return TRUE;
  if (search->caption != nullptr) {
    if (ClassOf(window) != "#32770" || ReadText(window) != search->caption) return TRUE;
  }
  search->found = window;
  return FALSE;
}

HWND FindVisibleWindow(DWORD process, const char* caption, HWND exclude) {
  WindowSearch search{process, caption, exclude, nullptr};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK FindDialogBox(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  if (ProcessOf(window) == search->process && window != search->exclude &&
      IsWindowVisible(window) && ClassOf(window) == "#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK InspectBoxChild(HWND child, LPARAM parameter) {
  auto* box = reinterpret_cast<MessageBoxInfo*>(parameter);
  if (!IsWindowVisible(child)) return TRUE;
  const std::string className = ClassOf(child);
  if (_stricmp(className.c_str(), "Button") == 0) {
    ++box->buttons;
    if (GetDlgCtrlID(child) == IDOK && ReadText(child) == "OK") ++box->okButtons;
  } else if (_stricmp(className.c_str(), "Static") == 0) {
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
      DWORD_PTR icon = 0;
      SendMessageTimeoutA(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS, &icon);
      box->icon = box->icon || icon != 0;
    }
  }
  return TRUE;
}

std::string Environment(const char* name, const char* fallback) {
  char value[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : fallback;
}

}  // namespace

std::string ProgramPath() { return Environment("COILCALC_EXE", "coilcalc.exe"); }

std::string ArtifactFolder() { return Environment("COILCALC_ARTIFACTS", "."); }

bool StartProgram(Program& program, const std::string& path, const char* caption, DWORD timeoutMs) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + path + "\"";
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &program.info)) {
    return false;
  }
  // WaitForInputIdle returns before the dialog exists: poll for the window itself.
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (GetTickCount64() < deadline) {
    program.dialog = FindVisibleWindow(program.info.dwProcessId, caption, nullptr);
    if (program.dialog != nullptr) return true;
    if (WaitForSingleObject(program.info.hProcess, 5) == WAIT_OBJECT_0) return false;
  }
  return false;
}

void StopProgram(Program& program) {
  if (program.info.hProcess == nullptr) return;
  clicksInProgress = 0;  // an ended program finishes nothing
  if (WaitForSingleObject(program.info.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(program.info.hProcess, 99);
    WaitForSingleObject(program.info.hProcess, 5000);
  }
  CloseHandle(program.info.hThread);
  CloseHandle(program.info.hProcess);
  program = Program{};
}

bool WaitForExit(Program& program, DWORD timeoutMs, DWORD* exitCode) {
  if (WaitForSingleObject(program.info.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
  return GetExitCodeProcess(program.info.hProcess, exitCode) != 0;
}

HWND ControlOf(const Program& program, int id) { return GetDlgItem(program.dialog, id); }

std::string ReadText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS,
                           &length)) {
    return "<no answer>";
  }
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS, &copied)) {
    return "<no answer>";
  }
  text.resize(copied <= length ? copied : length);
  return text;
}

bool WriteText(HWND window, const std::string& text) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS, &result) != 0 &&
         result != 0;
}

namespace {

void CALLBACK ClickHandled(HWND, UINT, ULONG_PTR, LRESULT) { --clicksInProgress; }

}  // namespace

void Click(HWND button) {
  if (SendMessageCallbackA(button, BM_CLICK, 0, 0, ClickHandled, 0)) ++clicksInProgress;
}

void Settle(const Program& program) {
  // The completion notices of the clicks arrive as this thread reads its own messages.
  const ULONGLONG deadline = GetTickCount64() + 10000;
  while (clicksInProgress > 0 && GetTickCount64() < deadline) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    if (clicksInProgress == 0) break;
    MessageBoxInfo box;
    if (FindMessageBox(program, box)) return;
    if (WaitForSingleObject(program.info.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  if (WaitForSingleObject(program.info.hProcess, 0) == WAIT_OBJECT_0) clicksInProgress = 0;
  // Whatever else was sent or posted before (texts, keys) has been read by now as well.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(program.dialog, WM_NULL, 0, 0, SMTO_NORMAL, SEND_TIMEOUT_MS, &ignored);
}

bool WaitForText(HWND window, const std::string& expected, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  do {
    if (ReadText(window) == expected) return true;
    Sleep(5);
  } while (GetTickCount64() < deadline);
  return ReadText(window) == expected;
}

bool FindMessageBox(const Program& program, MessageBoxInfo& box) {
  WindowSearch search{program.info.dwProcessId, nullptr, program.dialog, nullptr};
  EnumWindows(FindDialogBox, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return false;
  box = MessageBoxInfo{};
  box.window = search.found;
  box.dialogDisabled = !IsWindowEnabled(program.dialog);
  box.caption = ReadText(box.window);
  box.text = ReadText(GetDlgItem(box.window, 0xFFFF));
  box.owner = GetWindow(box.window, GW_OWNER);
  EnumChildWindows(box.window, InspectBoxChild, reinterpret_cast<LPARAM>(&box));
  return true;
}

bool WaitForMessageBox(const Program& program, MessageBoxInfo& box, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  do {
    if (FindMessageBox(program, box)) {
      // The box is found as soon as it is visible; give it the moment to get its buttons.
      Sleep(20);
      return FindMessageBox(program, box);
    }
    Sleep(5);
  } while (GetTickCount64() < deadline);
  return false;
}

bool DismissMessageBox(const Program& program, const MessageBoxInfo& box, DWORD timeoutMs) {
  Click(GetDlgItem(box.window, IDOK));
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (IsWindow(box.window)) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(5);
  }
  // Once the box is destroyed the program goes on without reading messages until it waits
  // again: a sent message returns only after that.
  Settle(program);
  return true;
}

bool PressKeys(const Program& program, std::initializer_list<WORD> keys) {
  SetForegroundWindow(program.dialog);
  std::vector<INPUT> inputs;
  for (const WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  return sent == inputs.size();
}

HWND FocusedControl(const Program& program) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(program.info.dwThreadId, &info)) return nullptr;
  HWND window = info.hwndFocus;
  while (window != nullptr && GetParent(window) != program.dialog) window = GetParent(window);
  return window;
}

bool CaptureWindow(HWND window, Capture& capture) {
  RECT box;
  if (!GetWindowRect(window, &box)) return false;
  capture.width = box.right - box.left;
  capture.height = box.bottom - box.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = bitmap != nullptr;
  if (ok) {
    const HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, capture.width, capture.height, screen, box.left, box.top,
                SRCCOPY | CAPTUREBLT) != 0;
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    capture.pixels.resize(static_cast<size_t>(capture.width) * capture.height);
    for (size_t i = 0; i < capture.pixels.size(); ++i) {
      const DWORD bgr = pixels[i];
      capture.pixels[i] = RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

namespace {

BOOL CALLBACK FindUnpainted(HWND window, LPARAM parameter) {
  if (!GetUpdateRect(window, nullptr, FALSE)) return TRUE;
  *reinterpret_cast<bool*>(parameter) = true;
  return FALSE;
}

bool WaitsToBePainted(HWND dialog) {
  bool unpainted = GetUpdateRect(dialog, nullptr, FALSE) != 0;
  if (!unpainted) EnumChildWindows(dialog, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
  return unpainted;
}

}  // namespace

bool CapturePainted(const Program& program, HWND window, Capture& capture, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  Capture previous;
  bool havePrevious = false;
  while (GetTickCount64() < deadline) {
    Settle(program);
    if (WaitsToBePainted(program.dialog)) {
      Sleep(5);
      continue;
    }
    // A second message round: the program has gone back to waiting after the paint.
    Settle(program);
    if (!CaptureWindow(window, capture)) return false;
    if (havePrevious && capture.pixels == previous.pixels) return true;
    previous = capture;
    havePrevious = true;
    Sleep(20);
  }
  return false;
}

bool SaveBitmap(const Capture& capture, const std::string& path) {
  const int rowBytes = (capture.width * 3 + 3) / 4 * 4;
  const DWORD imageBytes = static_cast<DWORD>(rowBytes) * capture.height;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + imageBytes;
  info.biSize = sizeof info;
  info.biWidth = capture.width;
  info.biHeight = capture.height;  // bottom-up
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = imageBytes;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  std::vector<char> row(static_cast<size_t>(rowBytes), 0);
  for (int y = capture.height - 1; y >= 0; --y) {
    for (int x = 0; x < capture.width; ++x) {
      const COLORREF c = capture.At(x, y);
      row[x * 3] = static_cast<char>(GetBValue(c));
      row[x * 3 + 1] = static_cast<char>(GetGValue(c));
      row[x * 3 + 2] = static_cast<char>(GetRValue(c));
    }
    out.write(row.data(), rowBytes);
  }
  return static_cast<bool>(out);
}

RECT DialogUnitsToPixels(int x, int y, int w, int h) {
  // A hidden dialog of this process with the same font gives the platform's own mapping.
  static HWND reference = [] {
    alignas(4) static WORD words[64] = {};
    size_t n = 0;
    const DWORD style = DS_SETFONT | WS_POPUP;
    words[n++] = LOWORD(style);
    words[n++] = HIWORD(style);
    n += 2;  // extended style
    n += 1;  // no controls
    n += 4;  // x, y, cx, cy
    words[7] = 100;
    words[8] = 100;
    n += 2;  // menu, class
    n += 1;  // empty caption
    words[n++] = 8;
    for (const char c : std::string("MS Sans Serif")) words[n++] = static_cast<WORD>(c);
    words[n++] = 0;
    return CreateDialogIndirectParamA(
        GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words), nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
  }();
  RECT box = {x, y, x + w, y + h};
  MapDialogRect(reference, &box);
  return box;
}

RECT RectInDialog(HWND dialog, HWND control) {
  RECT box;
  GetWindowRect(control, &box);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
  return box;
}

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

double StartupMilliseconds(const std::string& path, DWORD timeoutMs) {
  LARGE_INTEGER frequency, start, shown;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string commandLine = "\"" + path + "\"";
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info)) {
    return -1;
  }
  double result = -1;
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (GetTickCount64() < deadline) {
    if (FindVisibleWindow(info.dwProcessId, nullptr, nullptr) != nullptr) {
      QueryPerformanceCounter(&shown);
      result = 1000.0 * static_cast<double>(shown.QuadPart - start.QuadPart) /
               static_cast<double>(frequency.QuadPart);
      break;
    }
    Sleep(1);
  }
  TerminateProcess(info.hProcess, 0);
  WaitForSingleObject(info.hProcess, 5000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return result;
}
