// Owns a Win32 kernel handle.
#pragma once

#include <windows.h>

#include <utility>

namespace quirel::standin {

class UniqueHandle {
 public:
  UniqueHandle() noexcept = default;
  // Takes both "no handle" values of the Win32 API (null and INVALID_HANDLE_VALUE).
  explicit UniqueHandle(HANDLE handle) noexcept
      : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  void Reset() noexcept {
    if (HANDLE handle = std::exchange(handle_, nullptr)) CloseHandle(handle);
  }
  HANDLE get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != nullptr; }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace quirel::standin
