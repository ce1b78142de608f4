// The program as shipped: nothing is added to the dialog after it is built.
#include "test_hooks.h"

void InstallTestHooks(HWND) {}
