// The preferences every new browser's request context receives, as a table of plain values,
// and their application through the engine's value objects.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "engine/capi/cef_capi.h"

namespace quirel {

// A dictionary preference whose only entry is "mode".
struct TProxyModeValue {
  std::wstring Mode;
  friend bool operator==(const TProxyModeValue&, const TProxyModeValue&) = default;
};

struct TChromiumPreference {
  std::wstring Name;
  std::variant<bool, int, std::wstring, TProxyModeValue> Value;
};

// The first non-empty list, or "en-US,en".
std::wstring ChooseAcceptLanguageList(const std::wstring& component, const std::wstring& options,
                                      const std::wstring& application);

std::vector<TChromiumPreference> BrowserPreferences(const std::wstring& acceptLanguageList,
                                                    bool hyperlinkAuditing);

// Sets each preference the context lets set; refusals are ignored. Returns how many were set.
int ApplyPreferences(cef_request_context_t* context,
                     const std::vector<TChromiumPreference>& preferences);

}  // namespace quirel
