// Names of the window messages through which tests talk to the hooks of coilcalc_hooked.exe.
#pragma once

// Posted with a control id in wParam: the dialog gets a WM_HELP for that control.
constexpr const char* HELP_REQUEST_MESSAGE = "coilcalc.test.helpRequest";
// Sent: answers the control id of the last WM_HELP the dialog has finished handling, or -1.
constexpr const char* LAST_HELP_MESSAGE = "coilcalc.test.lastHelp";
