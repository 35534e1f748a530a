// Holding references to engine objects.
//
// The engine's rules: a pointer passed as an argument or returned from a
// function carries one reference for the receiver; `self` is borrowed. An
// in/out parameter (T**) carries one reference on entry that belongs to the
// callee, replaced or not; after the call the caller takes over a reference
// only when the pointer changed (and drops its object when it became null).
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

#include "engine/capi/cef_base.h"

namespace cef_ref_detail {

template <class T>
constexpr bool StartsWithRefCountedBase() {
  if constexpr (std::is_same_v<T, cef_base_ref_counted_t>) {
    return true;
  } else if constexpr (requires { &T::base; }) {
    using Base = std::remove_cv_t<decltype(T::base)>;
    return std::is_standard_layout_v<T> && offsetof(T, base) == 0 &&
           StartsWithRefCountedBase<Base>();
  } else {
    return false;
  }
}

// True when `Part` lies at offset 0 of T along its chain of `base` members.
template <class T, class Part>
constexpr bool StartsWith() {
  if constexpr (std::is_same_v<T, Part>) {
    return true;
  } else if constexpr (requires { &T::base; }) {
    return StartsWith<std::remove_cv_t<decltype(T::base)>, Part>();
  } else {
    return false;
  }
}

}  // namespace cef_ref_detail

// Engine structs that start with cef_base_ref_counted_t, directly or through
// their parent (views structs nest it several levels deep).
template <class T>
concept CefRefCounted = cef_ref_detail::StartsWithRefCountedBase<T>();

// The reference-counting base of an engine object. The base lies at offset 0
// of standard-layout structs, so the pointers are interconvertible.
template <CefRefCounted T>
cef_base_ref_counted_t* CefBaseOf(T* object) noexcept {
  return reinterpret_cast<cef_base_ref_counted_t*>(object);
}

template <CefRefCounted T>
void CefAddRef(T* object) noexcept {
  cef_base_ref_counted_t* base = CefBaseOf(object);
  base->add_ref(base);
}

template <CefRefCounted T>
void CefRelease(T* object) noexcept {
  cef_base_ref_counted_t* base = CefBaseOf(object);
  base->release(base);
}

// Owns one reference to an engine object.
template <CefRefCounted T>
class CefRef {
 public:
  CefRef() noexcept = default;
  CefRef(std::nullptr_t) noexcept {}

  // Takes over the reference `object` carries: a returned object or an
  // argument our callback received.
  [[nodiscard]] static CefRef Adopt(T* object) noexcept {
    CefRef ref;
    ref.object_ = object;
    return ref;
  }

  // Adds a reference of our own to an object we only borrow (such as `self`).
  [[nodiscard]] static CefRef Retain(T* object) noexcept {
    if (object) CefAddRef(object);
    return Adopt(object);
  }

  CefRef(const CefRef& other) noexcept : object_(other.object_) {
    if (object_) CefAddRef(object_);
  }
  CefRef(CefRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  CefRef& operator=(CefRef other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~CefRef() { Reset(); }

  void Reset() noexcept {
    if (T* object = std::exchange(object_, nullptr)) CefRelease(object);
  }

  T* get() const noexcept { return object_; }
  T* operator->() const noexcept { return object_; }
  explicit operator bool() const noexcept { return object_ != nullptr; }

  // A new reference for the receiver, keeping ours: for an argument we pass to
  // the engine or a value our callback returns.
  [[nodiscard]] T* Share() const noexcept {
    if (object_) CefAddRef(object_);
    return object_;
  }

  // Hands our own reference over; we hold nothing afterwards.
  [[nodiscard]] T* Detach() noexcept { return std::exchange(object_, nullptr); }

  friend bool operator==(const CefRef& a, const CefRef& b) noexcept {
    return a.object_ == b.object_;
  }

 private:
  T* object_ = nullptr;
};

template <CefRefCounted T>
[[nodiscard]] CefRef<T> CefAdopt(T* object) noexcept {
  return CefRef<T>::Adopt(object);
}

// The object an in/out parameter (T**) holds on entry, with the reference it
// carries for the callee; null stays null.
template <CefRefCounted T>
[[nodiscard]] CefRef<T> CefTakeSlot(T** slot) noexcept {
  return slot ? CefRef<T>::Adopt(*slot) : CefRef<T>();
}

// Answers an in/out parameter taken with CefTakeSlot: the caller takes over a
// reference only of a changed pointer, so an unchanged slot is left alone and a
// new object goes there with a reference of its own.
template <CefRefCounted T>
void CefGiveSlot(T** slot, const CefRef<T>& entry, const CefRef<T>& value) noexcept {
  if (slot && value.get() != entry.get()) *slot = value.Share();
}

// Answers an in/out parameter with `value` in one step: the entry's reference
// is released whatever happens, and a changed pointer carries one of its own.
template <CefRefCounted T>
void CefStoreOut(T** slot, const CefRef<T>& value) noexcept {
  const CefRef<T> entry = CefTakeSlot(slot);
  CefGiveSlot(slot, entry, value);
}
