// The About button's handler and the dialog's own handler, which answers help requests.
#include "help.h"
#include "help_texts.h"

namespace {

// One OK button, the information icon, no owner, modal for the whole task.
constexpr UINT helpBoxStyle = MB_OK | MB_ICONINFORMATION | MB_TASKMODAL;
static_assert(helpBoxStyle == 0x2040);

}  // namespace

// Returns 0 even after a click, so the dialog's own handler sees the message too.
LONG AboutCallback(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    MessageBoxA(nullptr, AboutText(), "About this program", helpBoxStyle);
  }
  return 0;
}

// Never claims a message, so the dialog's standard handling always follows.
LONG DialogCallback(HWND, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_HELP && lParam != 0) {
    const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
    if (const char* text = ContextHelpText(info->iCtrlId)) {
      MessageBoxA(nullptr, text, "What's This?", helpBoxStyle);
    }
  }
  return 0;
}
