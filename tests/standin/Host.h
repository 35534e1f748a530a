// Runs the test host (standin_host.exe) in a process of its own, as the
// program would run, and collects what it reported.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace standin_test {

struct HostRun {
  DWORD exit_code = 0;
  DWORD pid = 0;
  bool finished = false;                     // within the time allowed
  std::map<std::string, std::string> facts;  // key=value lines of its output
  std::string output;

  // The reported value; fails the test when the host did not report it.
  std::string Fact(const std::string& key) const;
};

// `arguments` follow the executable on the host's command line; `scenario`
// is its STANDIN_HOST_SCENARIO; the engine traces into `trace_path`.
HostRun RunHost(const std::wstring& arguments, const std::wstring& scenario,
                const std::wstring& trace_path, DWORD timeout_ms = 60000);

// The folder of the test program (the build's run folder), with a backslash.
std::wstring RunFolder();

}  // namespace standin_test
