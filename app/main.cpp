// Entry of Quirel.exe. The same executable runs as the browser process and as every engine
// sub-process; the engine host decides the role.
#include <windows.h>

#include "app/Startup.h"
#include "common/Errors.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    return quirel::RunProgram();
  } catch (const std::exception& e) {
    // Nothing above caught it: tell the user rather than vanish.
    const std::wstring text = quirel::ExceptionMessage(e);
    MessageBoxW(nullptr, text.c_str(), L"Quirel", MB_OK | MB_ICONERROR);
    return 1;
  }
}
