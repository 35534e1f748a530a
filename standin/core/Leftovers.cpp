#include "standin/core/Leftovers.h"

#include <map>
#include <mutex>
#include <set>
#include <string>

#include "standin/core/NoDestructor.h"
#include "standin/core/Trace.h"

namespace quirel::standin::leftovers {
namespace {

using ReleaseFn = int(CEF_CALLBACK*)(cef_base_ref_counted_t*);

struct WatchedObject {
  const char* kind;
  ReleaseFn release;  // the program's own
};

struct Ledger {
  std::mutex engine_mutex;
  std::map<std::string, long long> engine;  // live objects per kind
  // Recursive: freeing one program object may release others on the same thread.
  std::recursive_mutex watch_mutex;
  std::map<cef_base_ref_counted_t*, WatchedObject> watched;  // alive
  std::set<std::string> kinds;                               // ever watched
};

// Never destroyed: objects may be released after static destruction began in a process
// that ends without cef_shutdown.
Ledger& TheLedger() {
  static NoDestructor<Ledger> ledger;
  return ledger.get();
}

int CEF_CALLBACK WatchedRelease(cef_base_ref_counted_t* self) {
  Ledger& ledger = TheLedger();
  // Held across the program's release, so its address cannot be watched again before the
  // entry is gone.
  std::lock_guard lock(ledger.watch_mutex);
  const auto it = ledger.watched.find(self);
  if (it == ledger.watched.end()) return 0;  // cannot happen: only watched objects come here
  const int freed = it->second.release(self);
  if (freed) ledger.watched.erase(self);
  return freed;
}

}  // namespace

Counted::Counted(const char* kind) : kind_(kind) {
  Ledger& ledger = TheLedger();
  std::lock_guard lock(ledger.engine_mutex);
  ++ledger.engine[kind_];
}

Counted::~Counted() {
  Ledger& ledger = TheLedger();
  std::lock_guard lock(ledger.engine_mutex);
  --ledger.engine[kind_];
}

void Watch(const char* kind, cef_base_ref_counted_t* object) {
  if (!object) return;
  Ledger& ledger = TheLedger();
  std::lock_guard lock(ledger.watch_mutex);
  ledger.kinds.insert(kind);
  if (object->release == &WatchedRelease) return;
  // The caller holds a reference, so the object lives while its release is rerouted.
  ledger.watched[object] = WatchedObject{kind, object->release};
  object->release = &WatchedRelease;
}

void Report() {
  Ledger& ledger = TheLedger();
  std::map<std::string, long long> program;
  {
    std::lock_guard lock(ledger.watch_mutex);
    for (const std::string& kind : ledger.kinds) program[kind] = 0;
    for (const auto& [object, watched] : ledger.watched) ++program[watched.kind];
  }
  JsonObject program_json;
  for (const auto& [kind, count] : program) program_json.Int(kind, count);
  JsonObject engine_json;
  {
    std::lock_guard lock(ledger.engine_mutex);
    for (const auto& [kind, count] : ledger.engine) engine_json.Int(kind, count);
  }
  trace::Event("shutdown.leftover").Object("program", program_json).Object("engine", engine_json);
}

}  // namespace quirel::standin::leftovers
