#include "Host.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>
#include <vector>

namespace standin_test {
namespace {

// This process's environment with `extra` set on top, as a CreateProcessW block.
std::wstring Environment(const std::map<std::wstring, std::wstring>& extra) {
  std::map<std::wstring, std::wstring> variables;
  wchar_t* block = GetEnvironmentStringsW();
  for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
    const std::wstring text = entry;
    const size_t equals = text.find(L'=', 1);  // "=C:=C:\..." entries start with '='
    if (equals == std::wstring::npos) continue;
    variables[text.substr(0, equals)] = text.substr(equals + 1);
  }
  FreeEnvironmentStringsW(block);
  for (const auto& [name, value] : extra) variables[name] = value;
  std::wstring result;
  for (const auto& [name, value] : variables) result += name + L"=" + value + L'\0';
  result += L'\0';
  return result;
}

}  // namespace

std::string HostRun::Fact(const std::string& key) const {
  const auto found = facts.find(key);
  if (found == facts.end()) {
    ADD_FAILURE() << "the host did not report " << key << "; its output:\n" << output;
    return {};
  }
  return found->second;
}

std::wstring RunFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

HostRun RunHost(const std::wstring& arguments, const std::wstring& scenario,
                const std::wstring& trace_path, DWORD timeout_ms) {
  HostRun run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) {
    ADD_FAILURE() << "cannot create a pipe";
    return run;
  }
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);

  const std::wstring executable = RunFolder() + L"standin_host.exe";
  std::wstring command_line = L"\"" + executable + L"\"";
  if (!arguments.empty()) command_line += L" " + arguments;
  std::wstring environment =
      Environment({{L"QUIREL_STANDIN_TRACE", trace_path}, {L"STANDIN_HOST_SCENARIO", scenario}});
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION info{};
  const BOOL started =
      CreateProcessW(executable.c_str(), command_line.data(), nullptr, nullptr, TRUE,
                     CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr, &startup, &info);
  CloseHandle(write_end);
  if (!started) {
    CloseHandle(read_end);
    ADD_FAILURE() << "cannot start the host, error " << GetLastError();
    return run;
  }
  run.pid = info.dwProcessId;
  CloseHandle(info.hThread);

  std::thread reader([&] {
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(read_end, buffer, sizeof buffer, &read, nullptr) && read > 0)
      run.output.append(buffer, read);
  });
  run.finished = WaitForSingleObject(info.hProcess, timeout_ms) == WAIT_OBJECT_0;
  if (!run.finished) TerminateProcess(info.hProcess, 99);
  WaitForSingleObject(info.hProcess, INFINITE);
  reader.join();  // the host's end of the pipe is closed now
  CloseHandle(read_end);
  GetExitCodeProcess(info.hProcess, &run.exit_code);
  CloseHandle(info.hProcess);

  std::istringstream lines(run.output);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t equals = line.find('=');
    if (equals != std::string::npos) run.facts[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return run;
}

}  // namespace standin_test
