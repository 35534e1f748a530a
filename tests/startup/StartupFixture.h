// A private copy of the program: Quirel.exe and its plugin\cef folder in a scratch folder,
// which a test may break in a chosen way before starting the program as a user would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Json.h"
#include "TestFiles.h"
#include "WindowProbe.h"

namespace quirel::test {

// Where the build put the program and its engine (the test's own folder).
std::wstring BuildBinFolder();

class ProgramCopy {
 public:
  explicit ProgramCopy(bool withEngine = true);
  const std::wstring& Folder() const { return dir_.path(); }  // with trailing backslash
  std::wstring Exe() const { return dir_.path() + L"Quirel.exe"; }
  std::wstring EngineFolder() const { return dir_.path() + L"plugin\\cef\\"; }
  std::wstring TraceFile() const { return dir_.path() + L"trace.jsonl"; }

  // Starts the program with the engine's trace written to TraceFile().
  ChildProcess Start(const std::vector<std::wstring>& args = {}, int showCommand = -1) const;

 private:
  ScratchDir dir_;
};

void CopyTree(const std::wstring& from, const std::wstring& to);

// The lines of a stand-in engine trace file, parsed.
std::vector<standin_test::Json> ReadTrace(const std::wstring& path);

// True while a process holds the single-instance mutex.
bool InstanceMutexExists();

}  // namespace quirel::test
