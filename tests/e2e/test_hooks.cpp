// Test-only hooks of the dialog (coilcalc_hooked.exe): help requests on any control id, and a
// record of the help requests the dialog has finished handling.
#include "test_hooks.h"

#include <windows.h>

#include "test_hook_messages.h"

namespace {

WNDPROC dialogProc = nullptr;
UINT helpRequestMessage = 0;
UINT lastHelpMessage = 0;
// The control id of the last WM_HELP that the dialog has finished handling, or -1.
LRESULT lastHelpDone = -1;

LRESULT CALLBACK HookedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == helpRequestMessage) {
    // The request that the platform makes for a control under the "?" cursor.
    const int id = static_cast<int>(wParam);
    const HWND item = GetDlgItem(dialog, id);
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = id;
    info.hItemHandle = item != nullptr ? item : dialog;
    GetCursorPos(&info.MousePos);
    SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    return 0;
  }
  if (message == lastHelpMessage) return lastHelpDone;
  const LRESULT result = CallWindowProcA(dialogProc, dialog, message, wParam, lParam);
  // Recorded only once the dialog has answered, so a help box still open is not counted yet.
  if (message == WM_HELP && lParam != 0) {
    lastHelpDone = reinterpret_cast<const HELPINFO*>(lParam)->iCtrlId;
  }
  return result;
}

}  // namespace

void InstallTestHooks(HWND dialog) {
  helpRequestMessage = RegisterWindowMessageA(HELP_REQUEST_MESSAGE);
  lastHelpMessage = RegisterWindowMessageA(LAST_HELP_MESSAGE);
  dialogProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HookedDialogProc)));
}
