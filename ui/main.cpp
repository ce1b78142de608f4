// The program's entry point: the main dialog, run until it is closed.
#include <windows.h>

#include "main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return RunMainWindow(instance); }
