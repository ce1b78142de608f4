// The About button's handler and the dialog's own handler, which answers help requests: each
// decodes its message and leaves the rest to the portable help boxes.
#include "help_handlers.h"

#include "help_boxes.h"
#include "window_ops.h"

static_assert(MESSAGE_BOX_STYLE == (MB_OK | MB_ICONINFORMATION | MB_TASKMODAL));

// Returns 0 even after a click, so the dialog's own handler sees the message too.
LONG AboutCallback(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) ShowAboutBox();
  return 0;
}

// Never claims a message, so the dialog's standard handling always follows.
LONG DialogCallback(HWND, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_HELP && lParam != 0) {
    ShowContextHelp(reinterpret_cast<const HELPINFO*>(lParam)->iCtrlId);
  }
  return 0;
}
