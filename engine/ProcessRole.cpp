#include <windows.h>
#include <shellapi.h>

#include <cwctype>
#include <memory>

#include "engine/CefApplicationCore.h"

namespace quirel {
namespace {

bool EqualsNoCase(const std::wstring& a, const wchar_t* b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b, -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

TCefProcessType DetectProcessType(const std::vector<std::wstring>& parameters) {
  static constexpr wchar_t kType[] = L"--type=";
  constexpr size_t kTypeLength = 7;
  for (auto it = parameters.rbegin(); it != parameters.rend(); ++it) {
    if (it->size() < kTypeLength || !EqualsNoCase(it->substr(0, kTypeLength), kType)) continue;
    const std::wstring value = it->substr(kTypeLength);
    if (EqualsNoCase(value, L"renderer")) return ptRenderer;
    if (EqualsNoCase(value, L"zygote")) return ptZygote;
    if (EqualsNoCase(value, L"gpu-process")) return ptGPU;
    if (EqualsNoCase(value, L"utility")) return ptUtility;
    return ptOther;
  }
  return ptBrowser;
}

std::vector<std::wstring> CommandLineParameters() {
  int count = 0;
  std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &count),
                                                     &LocalFree);
  std::vector<std::wstring> parameters;
  if (!argv) return parameters;
  for (int i = 1; i < count; ++i) parameters.emplace_back(argv.get()[i]);
  return parameters;
}

TCefProcessType DetectProcessType() { return DetectProcessType(CommandLineParameters()); }

}  // namespace quirel
