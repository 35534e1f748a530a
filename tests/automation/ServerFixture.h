// The real Quirel.exe as a COM server in the build's Wine prefix: runs of the program, its
// processes and windows, the registry keys of a registration, and the test's COM client.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "WindowProbe.h"

namespace quirel::test {

extern const wchar_t kClsid[];  // braced, upper case
extern const wchar_t kLibId[];
extern const wchar_t kIid[];
extern const wchar_t kProgId[];

// The test program's folder, where the build put Quirel.exe and plugin\cef.
std::wstring RunFolder();
std::wstring QuirelExe();
bool EngineFolderPresent(const std::wstring& folder);

// A copy of Quirel.exe and its plugin\cef in a new folder `name` under the temporary folder,
// removed with everything in it on destruction.
class ProgramFolder {
 public:
  explicit ProgramFolder(const std::wstring& name);
  ~ProgramFolder();
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;
  const std::wstring& Folder() const { return FFolder; }  // with trailing backslash
  std::wstring Exe() const { return FFolder + L"Quirel.exe"; }

 private:
  std::wstring FFolder;
};

// One run of the program to its end, as a user starts it.
struct RunResult {
  bool Ended = false;
  DWORD ExitCode = STILL_ACTIVE;
  std::vector<std::wstring> WindowsSeen;  // class names of visible top-level windows
};
RunResult RunProgram(const std::wstring& exe, const std::vector<std::wstring>& args,
                     DWORD timeoutMs = 60000);

// The visible main window ("QuirelForm") of pid, waited for.

struct ProcessEntry {
  DWORD Id;
  DWORD ParentId;
  std::wstring Exe;
};
// Running Quirel.exe processes.
std::vector<ProcessEntry> QuirelProcesses();
// Those that are not the engine's sub-processes of another one.
std::vector<ProcessEntry> QuirelMainProcesses();
// Ends every running Quirel.exe left over by a failed test: through its window first (Wine's
// COM keeps the class object of a killed server registered, and later clients fail on it),
// killed only when that does not work.
void EndQuirelProcesses();

// Quirel.exe started without switches, up to its main window; ended through that window
// (answering Yes to the close prompt) when the test has not ended it.
class RunningInstance {
 public:
  explicit RunningInstance(const std::wstring& exe, const std::vector<std::wstring>& args = {});
  RunningInstance(const RunningInstance&) = delete;
  RunningInstance& operator=(const RunningInstance&) = delete;

  ChildProcess& Process() { return FProcess; }
  DWORD Id() const { return FProcess.Id(); }
  HWND MainWindow() const { return FMainWindow; }  // null when it did not come up

 private:
  ChildProcess FProcess;
  HWND FMainWindow;
};

// Registry, in the view of this test's machine type (the program's own).
std::optional<std::wstring> DefaultValue(HKEY root, const std::wstring& key,
                                         const wchar_t* name = nullptr);
bool KeyExists(HKEY root, const std::wstring& key);
void DeleteTree(HKEY root, const std::wstring& key);
// Every value below key, as "subkey\name=value" lines; empty when the key is missing.
std::map<std::wstring, std::wstring> Snapshot(HKEY root, const std::wstring& key);

// The keys of a registration below root and prefix, with their values, in writing order.
std::vector<std::pair<std::wstring, std::wstring>> ExpectedEntries(const std::wstring& localServer);
// Removes every trace of a registration, machine-wide and per user.
void RemoveRegistration();

// The test's COM client, holding its object until released.
class ComClient {
 public:
  // Creates the object, makes the calls, writes its report, then holds the object until
  // Release.
  ComClient();
  ~ComClient();
  ComClient(const ComClient&) = delete;
  ComClient& operator=(const ComClient&) = delete;

  // Waits until the client holds its object (false when it ended or timed out first).
  bool WaitUntilHolding(DWORD timeoutMs = 60000);
  void Release();
  bool WaitForExit(DWORD timeoutMs) { return FProcess->WaitForExit(timeoutMs); }
  DWORD ExitCode() const { return FProcess->ExitCode(); }
  DWORD Id() const { return FProcess->Id(); }
  // The report's lines "name=value".
  std::map<std::wstring, std::wstring> Report() const;

 private:
  std::wstring FReportFile;
  std::wstring FReadyName, FReleaseName;
  HANDLE FReady = nullptr;
  HANDLE FRelease = nullptr;
  std::optional<ChildProcess> FProcess;
};

}  // namespace quirel::test
