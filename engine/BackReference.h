// How an engine callback object reaches the program object it reports to. The engine may keep
// the callback object alive after that object has let go: then the reference is removed and a
// late callback finds nothing.
#pragma once

#include <atomic>

namespace quirel {

template <class T>
class TBackReference {
 public:
  explicit TBackReference(T* target) : FTarget(target) {}
  T* Target() const { return FTarget.load(); }
  void RemoveReference() { FTarget.store(nullptr); }

 private:
  std::atomic<T*> FTarget;
};

}  // namespace quirel
