// Process-wide strings shared by the program's subsystems (folders, log file name, version texts,
// update service addresses) and the small routines around them: the log, shell folders, the
// version of an executable and the connectivity probe.
//
// Linked into every process of the program. The strings have no lock: they are written on the
// main thread before any other thread reads them (NewExeUrl: by the update worker, read after
// it has ended). Those with an initial text are dynamically initialised, so no other module's
// static initialiser may read them. Only tests assign the addresses.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace quirel {

extern std::wstring AppPath;             // the executable's folder, with trailing backslash
extern std::wstring LocalAppDataPath;    // the user's local application-data folder, no trailing backslash
extern std::wstring LogFileName;         // "QuirelLog.txt", relative to AppPath
extern std::wstring AppVersion;          // display version, see FormatDisplayVersion
extern std::wstring NewExeUrl;           // full address of the newest installer, from the last update check
extern std::wstring AppFullVersion;      // "major.minor.release.build", see FormatFullVersion
extern std::wstring UpdateCheckUrl;         // https://<update host>/Quirel/update/update-exe.php?
extern std::wstring UpdateDownloadUrl;      // https://<update host>/Quirel/update/download/
extern std::wstring ConnectivityProbeUrl;   // the public site that IsInternetConnected opens first

// The user's roaming application-data folder with trailing backslash, or "c:\".
std::wstring GetAppDataFolder();

// The shell folder with that CSIDL number (current path), without trailing backslash.
std::wstring GetSpecialFolder(int32_t csidl);

// The four numbers of fileName's file version; a file without version information
// (or that cannot be read) gives -1, 0, 0, 0.
void GetExeVersion(const std::wstring& fileName, int32_t& major, int32_t& minor, int32_t& release,
                   int32_t& build);

// "%d.%d" of (major - 1) and minor: file version 2.1.0.0 shows as "1.1".
std::wstring FormatDisplayVersion(int32_t major, int32_t minor);
// "%d.%d.%d.%d".
std::wstring FormatFullVersion(int32_t major, int32_t minor, int32_t release, int32_t build);

// True when ConnectivityProbeUrl and then UpdateCheckUrl can both be opened over WinINet with the
// system's proxy settings and the application's title as agent; any HTTP status counts, nothing
// is read, and the update service is not asked when the public site fails. False, at the latest
// by deadline, whatever the servers do (no message, nothing logged). Blocks its caller: call it
// from a worker thread only (the update check's).
bool IsInternetConnected(std::chrono::steady_clock::time_point deadline);
// The same with a deadline 20 seconds from now.
bool IsInternetConnected();

// IsInternetConnected, telling a probe that failed from one the deadline ended.
enum class TProbeResult { Connected, NotConnected, TimedOut };
TProbeResult ProbeInternet(std::chrono::steady_clock::time_point deadline);

// Full path of the running executable.
std::wstring ExecutableFullPath();

// The folder part of a path, up to and including its last "\" or ":" ("" when it has none).
std::wstring ExtractFilePath(const std::wstring& path);
// The part after the last "\" or ":".
std::wstring ExtractFileName(const std::wstring& path);

// The application's title from its executable's file name: the name up to its first ".",
// every character after the first in lower case ("QUIREL.EXE" gives "Quirel").
std::wstring ApplicationTitle(const std::wstring& exeFileName);

}  // namespace quirel
