// The host's app, as the program builds it, and what its callbacks saw.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "HostObjects.h"

namespace standin_host {

struct Observed {
  DWORD main_thread = GetCurrentThreadId();
  HANDLE context_initialized = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<DWORD> context_thread{0};
  std::atomic<int> context_count{0};
  HANDLE schemes_applied = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<DWORD> schemes_applied_thread{0};
  // The command-line object of on_before_command_line_processing, kept past
  // the callback to see what the engine made of it.
  CefRef<cef_command_line_t> lent_command_line;
};

Observed& Seen();

// In the browser process the command-line callback rewrites the command line
// as the program does (reset, then switches); in sub-processes it only
// reports. The context-initialised callback sets the cookie manager's schemes.
CefRef<cef_app_t> MakeApp();

// Text of engine results, for reports.
std::wstring Switches(cef_command_line_t* line);
std::wstring Arguments(cef_command_line_t* line);
std::wstring CommandLineString(cef_command_line_t* line);

}  // namespace standin_host
