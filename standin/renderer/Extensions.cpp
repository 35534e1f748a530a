#include "standin/renderer/Extensions.h"

#include <windows.h>

#include <algorithm>
#include <mutex>

#include "standin/core/NoDestructor.h"

namespace quirel::standin {
namespace {

struct Registry {
  std::mutex mutex;
  DWORD open_on_thread = 0;  // 0: closed
  std::vector<Extension> extensions;
};

Registry& TheRegistry() {
  static NoDestructor<Registry> registry;
  return registry.get();
}

}  // namespace

ExtensionRegistrationWindow::ExtensionRegistrationWindow() {
  std::lock_guard lock(TheRegistry().mutex);
  TheRegistry().open_on_thread = GetCurrentThreadId();
}

ExtensionRegistrationWindow::~ExtensionRegistrationWindow() {
  std::lock_guard lock(TheRegistry().mutex);
  TheRegistry().open_on_thread = 0;
}

int RegisterExtension(std::wstring name, std::wstring code, CefRef<cef_v8handler_t> handler) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  if (registry.open_on_thread != GetCurrentThreadId() || name.empty()) return 0;
  const bool taken =
      std::ranges::any_of(registry.extensions, [&](const Extension& e) { return e.name == name; });
  if (taken) return 0;
  registry.extensions.push_back({std::move(name), std::move(code), std::move(handler)});
  return 1;
}

std::vector<Extension> RegisteredExtensions() {
  std::lock_guard lock(TheRegistry().mutex);
  return TheRegistry().extensions;
}

void ClearExtensions() {
  std::vector<Extension> released;  // handlers released outside the lock
  std::lock_guard lock(TheRegistry().mutex);
  released.swap(TheRegistry().extensions);
}

}  // namespace quirel::standin
