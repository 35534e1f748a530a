#include "automation/ServerSwitches.h"

#include <windows.h>
#include <shellapi.h>

#include <initializer_list>

namespace quirel {
namespace {

bool IsSwitch(const std::wstring& argument, const wchar_t* word) {
  if (argument.size() < 2 || (argument[0] != L'-' && argument[0] != L'/')) return false;
  return CompareStringOrdinal(argument.c_str() + 1, static_cast<int>(argument.size() - 1), word, -1,
                              TRUE) == CSTR_EQUAL;
}

bool HasSwitch(const std::vector<std::wstring>& arguments, const wchar_t* word) {
  for (const std::wstring& argument : arguments)
    if (IsSwitch(argument, word)) return true;
  return false;
}

struct TSwitchRow {
  std::initializer_list<const wchar_t*> Words;
  TServerSwitches Result;
};

}  // namespace

TServerSwitches ParseServerSwitches(const std::vector<std::wstring>& arguments) {
  static const TSwitchRow rows[] = {
      {{L"AUTOMATION", L"EMBEDDING"}, {smAutomation, false}},
      {{L"REGSERVER"}, {smRegServer, false}},
      {{L"UNREGSERVER"}, {smUnregServer, false}},
      {{L"REGSERVERPERUSER"}, {smRegServer, true}},
      {{L"UNREGSERVERPERUSER"}, {smUnregServer, true}},
  };
  for (const TSwitchRow& row : rows)
    for (const wchar_t* word : row.Words)
      if (HasSwitch(arguments, word)) return row.Result;
  return {};
}

std::vector<std::wstring> ProcessArguments() {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> arguments;
  if (!argv) return arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(argv[i]);
  LocalFree(argv);
  return arguments;
}

}  // namespace quirel
