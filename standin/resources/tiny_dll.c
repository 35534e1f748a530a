/* A DLL with nothing but its resources: chrome_elf.dll, the graphics and
   shader-compiler libraries of the engine folder, and the other-machine
   libcef.dll of the tests. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)instance;
  (void)reason;
  (void)reserved;
  return TRUE;
}
