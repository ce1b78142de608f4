// The least a Windows program can show: one message box. The yardstick for start-up times.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MessageBoxA(nullptr, "Ready.", "Minimal program", MB_OK);
  return 0;
}
