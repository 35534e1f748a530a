// Entry routine of Quirel.exe. The same executable runs as the browser process
// and as every engine sub-process; the engine host decides the role.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The engine host (start-up, process roles, main window) plugs in here.
  return 0;
}
