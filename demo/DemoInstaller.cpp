// The installer the demo update service hands out: it only says what a real one would do.
// Tests point QUIREL_INSTALLER_RECORD at a file; the installer then notes its start there and
// ends without showing anything.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t record[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"QUIREL_INSTALLER_RECORD", record, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    FILE* file = _wfopen(record, L"ab");
    if (!file) return 1;
    const std::wstring line = std::wstring(L"started ") + self + L"\r\n";
    fwrite(line.data(), sizeof(wchar_t), line.size(), file);
    fclose(file);
    return 0;
  }
  MessageBoxW(nullptr,
              L"Questo \u00E8 l'installatore dimostrativo di Quirel.\n\n"
              L"Un installatore vero aggiornerebbe ora il programma; qui non cambia nulla.",
              L"Installazione di Quirel", MB_OK | MB_ICONINFORMATION);
  return 0;
}
