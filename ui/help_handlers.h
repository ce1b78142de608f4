// The dialog's own handler and the About button's handler (Win32), over the portable help boxes.
#pragma once

#include <windows.h>

// Both have the event-handler shape; nonzero means the message is fully handled.
LONG AboutCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LONG DialogCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
