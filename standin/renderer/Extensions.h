// JavaScript extensions registered with cef_register_extension. The engine
// accepts them only on the renderer thread while on_web_kit_initialized runs;
// it keeps each handler's reference until the process ends. Page scripts run
// the extensions' code in every new script context.
#pragma once

#include <string>
#include <vector>

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"

namespace quirel::standin {

struct Extension {
  std::wstring name;
  std::wstring code;
  CefRef<cef_v8handler_t> handler;  // may be null
};

// While this lives, the calling thread may register extensions.
class ExtensionRegistrationWindow {
 public:
  ExtensionRegistrationWindow();
  ExtensionRegistrationWindow(const ExtensionRegistrationWindow&) = delete;
  ExtensionRegistrationWindow& operator=(const ExtensionRegistrationWindow&) = delete;
  ~ExtensionRegistrationWindow();
};

// 1 when accepted; 0 outside the window, on another thread, for an empty name
// or a name already registered.
int RegisterExtension(std::wstring name, std::wstring code, CefRef<cef_v8handler_t> handler);
std::vector<Extension> RegisteredExtensions();
// Releases the handlers (the renderer is ending).
void ClearExtensions();

}  // namespace quirel::standin
