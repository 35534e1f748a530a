// Owning wrappers for COM interface pointers and BSTRs.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <utility>

namespace quirel {

template <typename T>
class TComPtr {
 public:
  TComPtr() = default;
  // Takes over a reference the caller already holds.
  static TComPtr Attach(T* p) {
    TComPtr result;
    result.FPtr = p;
    return result;
  }
  // Adds a reference of its own.
  explicit TComPtr(T* p) : FPtr(p) {
    if (FPtr) FPtr->AddRef();
  }
  TComPtr(const TComPtr& other) : TComPtr(other.FPtr) {}
  TComPtr(TComPtr&& other) noexcept : FPtr(std::exchange(other.FPtr, nullptr)) {}
  TComPtr& operator=(TComPtr other) noexcept {
    std::swap(FPtr, other.FPtr);
    return *this;
  }
  ~TComPtr() { Reset(); }

  void Reset() {
    if (T* p = std::exchange(FPtr, nullptr)) p->Release();
  }
  T* Get() const { return FPtr; }
  T* operator->() const { return FPtr; }
  explicit operator bool() const { return FPtr != nullptr; }
  // For out parameters: drops the current reference first.
  T** Put() {
    Reset();
    return &FPtr;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  T* Detach() { return std::exchange(FPtr, nullptr); }

 private:
  T* FPtr = nullptr;
};

class TBStr {
 public:
  TBStr() = default;
  explicit TBStr(const std::wstring& text)
      : FStr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  TBStr(const TBStr&) = delete;
  TBStr& operator=(const TBStr&) = delete;
  ~TBStr() { SysFreeString(FStr); }

  BSTR Get() const { return FStr; }
  BSTR* Put() {
    SysFreeString(FStr);
    FStr = nullptr;
    return &FStr;
  }
  std::wstring Text() const {
    return FStr ? std::wstring(FStr, SysStringLen(FStr)) : std::wstring();
  }

 private:
  BSTR FStr = nullptr;
};

}  // namespace quirel
