#include "ChildProcess.h"

#include <stdexcept>

#include "WindowProbe.h"

namespace quirel::test {

std::wstring QuoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

namespace {

std::wstring EnvironmentBlock(const std::vector<std::wstring>& extra) {
  std::wstring block;
  LPWCH current = GetEnvironmentStringsW();
  for (const wchar_t* p = current; *p; p += wcslen(p) + 1) {
    const std::wstring entry = p;
    bool overridden = false;
    for (const std::wstring& e : extra) {
      const size_t eq = e.find(L'=');
      if (eq != std::wstring::npos && _wcsnicmp(entry.c_str(), e.c_str(), eq + 1) == 0)
        overridden = true;
    }
    if (!overridden) block += entry + L'\0';
  }
  FreeEnvironmentStringsW(current);
  for (const std::wstring& e : extra) block += e + L'\0';
  return block + L'\0';
}

}  // namespace

ChildProcess::ChildProcess(const std::wstring& exe, const std::vector<std::wstring>& args,
                           const std::vector<std::wstring>& extraEnv,
                           const std::wstring& workingDir, int showCommand) {
  std::wstring commandLine = QuoteArgument(exe);
  for (const std::wstring& arg : args) commandLine += L" " + QuoteArgument(arg);
  std::wstring environment = EnvironmentBlock(extraEnv);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  if (showCommand >= 0) {
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(showCommand);
  }
  // Right after a previous program's processes went, Wine now and then refuses a start with
  // ERROR_INTERNAL_ERROR; a user would simply start the program again. Nothing else is retried.
  for (int attempt = 1;; ++attempt) {
    if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                       CREATE_UNICODE_ENVIRONMENT, environment.data(),
                       workingDir.empty() ? nullptr : workingDir.c_str(), &si, &info_))
      return;
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || attempt == 5)
      throw std::runtime_error("CreateProcessW failed: " + std::to_string(error));
    Sleep(500 * attempt);
  }
}

ChildProcess::~ChildProcess() {
  End();
  if (info_.hThread) CloseHandle(info_.hThread);
  if (info_.hProcess) CloseHandle(info_.hProcess);
}

bool ChildProcess::WaitForExit(DWORD timeoutMs) {
  return WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

void ChildProcess::End(DWORD timeoutMs) {
  if (!info_.hProcess || ExitCode() != STILL_ACTIVE) return;
  if (EndThroughWindows(info_.dwProcessId, info_.hProcess, timeoutMs)) return;
  Kill();
}

void ChildProcess::Kill() {
  if (info_.hProcess && ExitCode() == STILL_ACTIVE) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
}

}  // namespace quirel::test
