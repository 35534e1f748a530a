// A Win32 thread running a function; destroying the object waits for it.
// (A plain handle rather than std::thread: at process exit the system has
// already ended the thread and waiting on its handle returns at once.)
#pragma once

#include <windows.h>

#include <functional>

#include "standin/core/UniqueHandle.h"

namespace quirel::standin {

class Thread {
 public:
  explicit Thread(std::function<void()> body);
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;
  ~Thread() { Join(); }

  void Join();

 private:
  static DWORD WINAPI Main(void* self);

  std::function<void()> body_;
  UniqueHandle handle_;
};

}  // namespace quirel::standin
