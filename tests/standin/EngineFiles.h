// Facts about engine files on disk, and the stand-in loaded into the test
// program itself (entries in g_cef) for what needs no process of its own.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

namespace standin_test {

// The run folder's plugin\cef, with a trailing backslash.
std::wstring EngineFolder();
// `relative` (to the run folder) made absolute.
std::wstring FromRunFolder(const std::wstring& relative);

using Version = std::array<unsigned, 4>;
std::optional<Version> FileVersion(const std::wstring& path);
std::optional<Version> ProductVersion(const std::wstring& path);
// The machine field of the PE header.
std::optional<unsigned> Machine(const std::wstring& path);
// The machine this test program is built for.
unsigned ThisMachine();

// Loads the run folder's libcef.dll once and fills g_cef; false when that failed.
bool LoadEngineHere();

}  // namespace standin_test
