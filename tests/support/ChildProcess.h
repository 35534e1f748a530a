// A program the test starts and watches, as a user would start it; ended through its windows
// when the test is done with it while it still runs, killed only when that does not work.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quirel::test {

class ChildProcess {
 public:
  // Starts exe with the given command-line arguments (quoted as needed) in workingDir;
  // extraEnv entries "NAME=value" are added to this process's environment.
  // showCommand (SW_...) is what the program finds in its start-up information; -1 for none.
  ChildProcess(const std::wstring& exe, const std::vector<std::wstring>& args,
               const std::vector<std::wstring>& extraEnv = {}, const std::wstring& workingDir = {},
               int showCommand = -1);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }
  // Waits up to timeoutMs; true when the process has ended.
  bool WaitForExit(DWORD timeoutMs);
  // The exit code once ended; STILL_ACTIVE before.
  DWORD ExitCode() const;
  // Asks its visible windows to close and presses Yes or OK on what it then asks; kills it
  // when it has no window or has not ended within timeoutMs. A killed program leaves state
  // behind under Wine (its COM class objects stay registered, and later clients fail on
  // them), so tests end programs this way rather than kill them.
  void End(DWORD timeoutMs = 15000);
  void Kill();

 private:
  PROCESS_INFORMATION info_{};
};

std::wstring QuoteArgument(const std::wstring& arg);

}  // namespace quirel::test
