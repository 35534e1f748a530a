// The log file beside the executable, for errors the user is not shown.
#pragma once

#include <windows.h>

#include <string>

namespace quirel {

// Appends "yyyy-mm-dd hh.nn.ss.zz --> " + text (local time) as a line to AppPath + LogFileName,
// keeping the file's encoding; the file restarts when its text has grown past kLogRestartLength.
// An empty text does nothing. Raises EFOpenError when the file exists but cannot be read and
// EFCreateError when it cannot be written (the old content then stays). No lock: callers must
// not log from two threads at once.
void AddLog(const std::wstring& text);

// AddLog for error handlers and thread ends, where nothing may escape: a log that cannot be
// written (a read-only program folder) is reported to the debugger's output instead.
void AddLogBestEffort(const std::wstring& text) noexcept;

// AddLog on a given file with a given time.
void AddLogToFile(const std::wstring& path, const std::wstring& text, const SYSTEMTIME& localTime);

}  // namespace quirel
