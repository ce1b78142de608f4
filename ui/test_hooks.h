// A seam for test builds of the program: called once the dialog is built, before it is shown.
#pragma once

#include <windows.h>

// coilcalc.exe links an empty version (no_test_hooks.cpp); a test build may link its own.
void InstallTestHooks(HWND dialog);
