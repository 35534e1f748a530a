#include "standin/core/Thread.h"

#include <stdexcept>

namespace quirel::standin {

Thread::Thread(std::function<void()> body) : body_(std::move(body)) {
  handle_ = UniqueHandle(CreateThread(nullptr, 0, &Thread::Main, this, 0, nullptr));
  if (!handle_) throw std::runtime_error("cannot start a thread");
}

void Thread::Join() {
  if (handle_) WaitForSingleObject(handle_.get(), INFINITE);
  handle_.Reset();
}

DWORD WINAPI Thread::Main(void* self) {
  static_cast<Thread*>(self)->body_();
  return 0;
}

}  // namespace quirel::standin
