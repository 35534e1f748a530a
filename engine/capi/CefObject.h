// Engine objects we implement (the program's app and handlers, the stand-in
// engine's browsers and values).
//
//   class App : public CefObject<App, cef_app_t> {
//    public:
//     App() { Bind<&App::GetBrowserProcessHandler>(cef()->get_browser_process_handler); }
//     cef_browser_process_handler_t* GetBrowserProcessHandler();
//   };
//   CefRef<cef_app_t> app = CefNew<App>();
//
// The object owns its engine struct, whose base.size is sizeof(T) and whose
// reference counting is an atomic count; the last release deletes the object.
// Create objects only through CefNew: the engine may outlive any scope.
// Bound methods get the engine's arguments as they come: struct pointers carry
// a reference for us (CefAdopt them), returned ones need one for the engine.
#pragma once

#include <atomic>
#include <type_traits>
#include <utility>

#include "engine/capi/CefRef.h"

template <class Derived, CefRefCounted T>
class CefObject {
 public:
  using CefStruct = T;

  CefObject(const CefObject&) = delete;
  CefObject& operator=(const CefObject&) = delete;

  // Borrowed: valid as long as someone holds a reference.
  T* cef() noexcept { return &block_.cef; }

  // A new reference to this object for the engine (an argument or a return value).
  [[nodiscard]] T* Share() noexcept {
    AddRef(CefBaseOf(cef()));
    return cef();
  }

  // Our object behind a `self` the engine passes back. `Part` is T or one of
  // the structs T starts with (views callbacks get their parent's type).
  template <class Part>
    requires(cef_ref_detail::StartsWith<T, Part>())
  static Derived* FromSelf(Part* self) noexcept {
    // self is the first member of Block (through T's base chain).
    return static_cast<Derived*>(reinterpret_cast<Block*>(self)->owner);
  }

 protected:
  CefObject() noexcept {
    cef_base_ref_counted_t* base = CefBaseOf(cef());
    base->size = sizeof(T);
    base->add_ref = &AddRef;
    base->release = &Release;
    base->has_one_ref = &HasOneRef;
    base->has_at_least_one_ref = &HasAtLeastOneRef;
    block_.owner = this;
  }
  virtual ~CefObject() = default;

  // Points a callback member of our struct at a member function of Derived;
  // the signature comes from the member, so a mismatch does not compile.
  template <auto Method, class R, class Part, class... Args>
  static void Bind(R(CEF_CALLBACK*& slot)(Part*, Args...)) noexcept {
    static_assert(cef_ref_detail::StartsWith<T, Part>(), "callback of another struct");
    slot = &Thunk<Method, R, Part, Args...>;
  }

 private:
  // Standard layout, so a pointer to `cef` converts back to the Block.
  struct Block {
    T cef;
    CefObject* owner;
  };
  static_assert(std::is_standard_layout_v<Block>);

  template <auto Method, class R, class Part, class... Args>
  static R CEF_CALLBACK Thunk(Part* self, Args... args) {
    return (FromSelf(self)->*Method)(args...);
  }

  static CefObject* Owner(cef_base_ref_counted_t* self) noexcept {
    return reinterpret_cast<Block*>(self)->owner;
  }
  static void CEF_CALLBACK AddRef(cef_base_ref_counted_t* self) {
    Owner(self)->refs_.fetch_add(1, std::memory_order_relaxed);
  }
  static int CEF_CALLBACK Release(cef_base_ref_counted_t* self) {
    CefObject* owner = Owner(self);
    if (owner->refs_.fetch_sub(1, std::memory_order_acq_rel) != 1) return 0;
    delete owner;
    return 1;
  }
  static int CEF_CALLBACK HasOneRef(cef_base_ref_counted_t* self) {
    return Owner(self)->refs_.load(std::memory_order_acquire) == 1;
  }
  static int CEF_CALLBACK HasAtLeastOneRef(cef_base_ref_counted_t* self) {
    return Owner(self)->refs_.load(std::memory_order_acquire) >= 1;
  }

  Block block_{};
  std::atomic<int> refs_{1};  // the reference CefNew hands out
};

// Creates an engine object; the result holds the one reference it starts with.
template <class D, class... Args>
[[nodiscard]] CefRef<typename D::CefStruct> CefNew(Args&&... args) {
  static_assert(std::is_base_of_v<CefObject<D, typename D::CefStruct>, D>);
  D* object = new D(std::forward<Args>(args)...);
  return CefAdopt(object->cef());
}
