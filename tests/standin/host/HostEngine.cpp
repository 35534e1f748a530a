#include "HostEngine.h"

#include <windows.h>

#include "Report.h"
#include "engine/capi/CefEntryPoints.h"

namespace standin_host {

std::wstring ExecutableFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

bool LoadEngine() {
  const std::wstring library = ExecutableFolder() + L"plugin\\cef\\libcef.dll";
  // Loaded for the whole process, as the program keeps it.
  HMODULE module = LoadLibraryExW(library.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) {
    Report("load_error", static_cast<long long>(GetLastError()));
    return false;
  }
  for (const TCefEntryPointInfo& entry : kCefEntryPoints) {
    FARPROC proc = GetProcAddress(module, entry.name);
    if (!proc) {
      Report("missing_entry", entry.name);
      return false;
    }
    entry.store(g_cef, proc);
  }
  return true;
}

}  // namespace standin_host
