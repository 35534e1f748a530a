// Stands in for the system's web browser: the tests make it the handler of http and https
// addresses, and it appends the address it was asked to open to the file named by
// QUIREL_URL_RECORD, one line each.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  wchar_t record[MAX_PATH];
  if (!GetEnvironmentVariableW(L"QUIREL_URL_RECORD", record, MAX_PATH)) return 1;
  std::wstring url(commandLine);
  while (!url.empty() && (url.front() == L'"' || url.front() == L' ')) url.erase(0, 1);
  while (!url.empty() && (url.back() == L'"' || url.back() == L' ')) url.pop_back();
  const int size = WideCharToMultiByte(CP_UTF8, 0, url.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string line(size > 0 ? size - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, url.c_str(), -1, line.data(), size, nullptr, nullptr);
  line += "\n";
  HANDLE file = CreateFileW(record, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}
