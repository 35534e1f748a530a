// Loads the stand-in engine as the program does (LoadLibraryExW with an
// altered search path, then GetProcAddress for every entry) into g_cef.
#pragma once

#include <string>

namespace standin_host {

// The folder of this executable, with a trailing backslash.
std::wstring ExecutableFolder();
// False, with a report line, when the library or an entry is missing.
bool LoadEngine();

}  // namespace standin_host
