// Checks of the engine's files before the library is loaded: presence in the configured
// folders, the library's version and the machine type it was built for; and the start-up
// error messages built from their results.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/CefApplicationCore.h"

namespace quirel {

// Each check appends the names it finds missing to `missing`, one per line (CR LF).
bool CheckSubprocessPath(const std::wstring& path, std::wstring& missing);
bool CheckDLLs(const std::wstring& folder, std::wstring& missing);
bool CheckResources(const std::wstring& folder, std::wstring& missing, bool devToolsRequired,
                    bool extensionsRequired);
bool CheckLocales(const std::wstring& folder, std::wstring& missing,
                  const std::wstring& requiredList);
bool CheckFilesExist(const std::vector<std::wstring>& files, std::wstring& missing);

// The file version as one 64-bit number (most significant half first); 0 on any failure.
uint64_t GetExtendedFileVersion(const std::wstring& file);
bool GetDLLVersion(const std::wstring& file, TFileVersionInfo& version);
bool MatchesLibraryVersion(const std::wstring& file, uint16_t major, uint16_t minor,
                           uint16_t release, uint16_t build);
// Reads the machine field of the file's PE header itself.
bool GetDLLHeaderMachine(const std::wstring& file, uint16_t& machine);

// text without leading and trailing blanks and control characters.
std::wstring Trim(const std::wstring& text);

// The version numbers joined by ".".
std::wstring VersionToString(const TFileVersionInfo& version);

// The only libcef.dll version the program's entry-point table is written for.
inline constexpr TFileVersionInfo kExpectedLibCefVersion{87, 1, 6, 0};

// The machine type of this build, which libcef.dll must share.
inline constexpr uint16_t kOwnMachine = sizeof(void*) == 8 ? 0x8664 : 0x014C;

inline constexpr wchar_t kSupportedBinariesNote[] =
    L"Use only the CEF binaries named in the documentation of this program.";

// The start-up error messages. `missing` is MissingLibFiles as the checks left it;
// `found` is the library's version when it could be read.
std::wstring MissingFilesMessage(const std::wstring& missing);
std::wstring UnsupportedVersionMessage(const std::wstring& expected,
                                       const std::optional<TFileVersionInfo>& found);
// Nothing when `machine` is `ownMachine`.
std::optional<std::wstring> MachineTypeMessage(uint16_t machine, uint16_t ownMachine);
std::wstring LoadErrorMessage(uint32_t errorCode, const std::wstring& systemText);

}  // namespace quirel
