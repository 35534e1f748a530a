// What is still referenced when the engine shuts down, as the engine's debug build
// checks it: the program's objects the engine was given and the engine's own objects
// the program was given. cef_shutdown writes one trace line, `shutdown.leftover`, with
// the count per kind of both (`program`, `engine`).
#pragma once

#include "engine/capi/CefRef.h"

namespace quirel::standin::leftovers {

// A member of every engine object the program may be handed: counts its object under
// `kind` while it lives. The engine itself lets go of its own before shutdown (but the
// global request context), so a live one is one the program still references.
class Counted {
 public:
  explicit Counted(const char* kind);
  ~Counted();
  Counted(const Counted&) = delete;
  Counted& operator=(const Counted&) = delete;

 private:
  const char* const kind_;
};

// A program object the engine received (any thread). The engine notes when its last
// reference goes, whoever releases it (the object's release is routed through the
// ledger; no reference is added), so at shutdown a live one is one still referenced.
void Watch(const char* kind, cef_base_ref_counted_t* object);
template <CefRefCounted T>
void Watch(const char* kind, T* object) {
  if (object) Watch(kind, CefBaseOf(object));
}

// At cef_shutdown, once the engine has let go of everything (main thread): traces
// `shutdown.leftover`. Every kind seen appears, with 0 when clean.
void Report();

}  // namespace quirel::standin::leftovers
