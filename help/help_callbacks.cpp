// The About button's handler and the dialog's own handler (filled in with the help subsystem).
#include "help.h"

LONG AboutCallback(HWND, UINT, WPARAM, LPARAM) { return 0; }

LONG DialogCallback(HWND, UINT, WPARAM, LPARAM) { return 0; }
