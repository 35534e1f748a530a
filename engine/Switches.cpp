#include <windows.h>

#include "engine/CefApplicationCore.h"

namespace quirel {
namespace {

// Switches from the process's own command line are stored without "--", the ones the
// program adds keep it; the lookup compares the bare name without regard to case.
int FindSwitch(const TSwitchList& list, const std::wstring& name) {
  const std::wstring key = name.rfind(L"--", 0) == 0 ? name.substr(2) : name;
  for (size_t i = 0; i < list.Names.size(); ++i) {
    const std::wstring& stored = list.Names[i];
    if (CompareStringOrdinal(stored.c_str(), static_cast<int>(stored.size()), key.c_str(),
                             static_cast<int>(key.size()), TRUE) == CSTR_EQUAL)
      return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

void SetSwitchValue(TSwitchList& list, const std::wstring& name, const std::wstring& value) {
  const int index = FindSwitch(list, name);
  if (index < 0) {
    list.Names.push_back(name);
    list.Values.push_back(value);
  } else {
    list.Values[index] = value;
  }
}

void MergeListSwitch(TSwitchList& list, const std::wstring& name, const std::wstring& value) {
  const int index = FindSwitch(list, name);
  if (index < 0) {
    list.Names.push_back(name);
    list.Values.push_back(value);
  } else if (!value.empty()) {
    std::wstring& stored = list.Values[index];
    stored = stored.empty() ? value : stored + L"," + value;
  }
}

}  // namespace quirel
