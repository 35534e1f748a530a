#include "standin/core/LoopRegistry.h"

#include <map>
#include <mutex>

#include "standin/core/NoDestructor.h"

namespace quirel::standin {
namespace {

struct Registry {
  std::mutex mutex;
  std::map<cef_thread_id_t, std::shared_ptr<MessageLoop>> loops;
};

Registry& TheRegistry() {
  static NoDestructor<Registry> registry;
  return registry.get();
}

}  // namespace

void RegisterLoop(cef_thread_id_t id, std::shared_ptr<MessageLoop> loop) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  registry.loops[id] = std::move(loop);
}

void UnregisterLoop(cef_thread_id_t id) {
  std::shared_ptr<MessageLoop> removed;  // destroyed outside the lock
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  if (auto found = registry.loops.find(id); found != registry.loops.end()) {
    removed = std::move(found->second);
    registry.loops.erase(found);
  }
}

std::shared_ptr<MessageLoop> FindLoop(cef_thread_id_t id) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  const auto found = registry.loops.find(id);
  return found == registry.loops.end() ? nullptr : found->second;
}

std::optional<cef_thread_id_t> CurrentNamedThread() {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  for (const auto& [id, loop] : registry.loops) {
    if (loop->RunsOnCurrentThread()) return id;
  }
  return std::nullopt;
}

}  // namespace quirel::standin
