#include "standin/browser/BrowserRegistry.h"

#include <atomic>
#include <map>
#include <mutex>

#include "standin/browser/Browser.h"
#include "standin/core/NoDestructor.h"

namespace quirel::standin {
namespace {

struct Registry {
  std::mutex mutex;
  std::map<int, std::shared_ptr<Browser>> browsers;
};

// Never destroyed: browsers still open when the process ends are not closed then.
Registry& TheRegistry() {
  static NoDestructor<Registry> registry;
  return registry.get();
}

}  // namespace

int NextBrowserIdentifier() {
  static std::atomic<int> next{0};
  return ++next;
}

void RegisterBrowser(std::shared_ptr<Browser> browser) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  const int identifier = browser->identifier();
  registry.browsers[identifier] = std::move(browser);
}

void UnregisterBrowser(int identifier) {
  std::shared_ptr<Browser> gone;  // released outside the lock
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  if (const auto it = registry.browsers.find(identifier); it != registry.browsers.end()) {
    gone = std::move(it->second);
    registry.browsers.erase(it);
  }
}

std::shared_ptr<Browser> FindBrowserByWindow(HWND window) {
  if (!window) return nullptr;
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  for (const auto& [identifier, browser] : registry.browsers) {
    if (browser->window() == window) return browser;
  }
  return nullptr;
}

}  // namespace quirel::standin
