// Holds a process-wide object that is never destroyed. When the process ends
// without cef_shutdown, the engine's threads are already gone (perhaps
// holding its locks) and the program is half torn down: nothing may be
// stopped or released then.
#pragma once

#include <new>
#include <utility>

namespace quirel::standin {

template <class T>
class NoDestructor {
 public:
  template <class... Args>
  explicit NoDestructor(Args&&... args) {
    ::new (storage_) T(std::forward<Args>(args)...);
  }
  NoDestructor(const NoDestructor&) = delete;
  NoDestructor& operator=(const NoDestructor&) = delete;

  T& get() { return *std::launder(reinterpret_cast<T*>(storage_)); }

 private:
  alignas(T) unsigned char storage_[sizeof(T)];
};

}  // namespace quirel::standin
