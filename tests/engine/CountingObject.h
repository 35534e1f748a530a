// An engine object as the engine hands it to us, counting the reference calls
// it receives, for checking what our holders do with it.
#pragma once

#include <type_traits>

#include "engine/capi/CefRef.h"

template <CefRefCounted T>
struct CountingObject {
  T cef{};
  int add_refs = 0;
  int releases = 0;

  CountingObject() {
    cef_base_ref_counted_t* base = CefBaseOf(&cef);
    base->size = sizeof(T);
    base->add_ref = &AddRef;
    base->release = &Release;
    base->has_one_ref = &HasOneRef;
    base->has_at_least_one_ref = &HasOneRef;
  }
  CountingObject(const CountingObject&) = delete;
  CountingObject& operator=(const CountingObject&) = delete;

  // References held by others than the engine: a balance of 0 means every
  // reference we took or adopted was given back.
  int balance() const { return add_refs - releases; }

 private:
  static CountingObject* From(cef_base_ref_counted_t* self) {
    static_assert(std::is_standard_layout_v<CountingObject>);
    return reinterpret_cast<CountingObject*>(self);
  }
  static void CEF_CALLBACK AddRef(cef_base_ref_counted_t* self) { ++From(self)->add_refs; }
  static int CEF_CALLBACK Release(cef_base_ref_counted_t* self) {
    ++From(self)->releases;
    return 0;
  }
  static int CEF_CALLBACK HasOneRef(cef_base_ref_counted_t*) { return 1; }
};
