#include <windows.h>

#include "standin/core/ThreadRole.h"

// The thread that loads the engine is the program's main thread until
// cef_execute_process or cef_initialize says which one it is.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) quirel::standin::SetMainThread(GetCurrentThreadId());
  return TRUE;
}
