// An engine thread with its own message loop, registered under its thread id
// for as long as it runs.
#pragma once

#include <memory>

#include "engine/capi/cef_enums.h"
#include "standin/core/MessageLoop.h"
#include "standin/core/Thread.h"
#include "standin/core/ThreadRole.h"

namespace quirel::standin {

class LoopThread {
 public:
  // Returns once the loop accepts tasks.
  LoopThread(cef_thread_id_t id, ThreadRole role);
  LoopThread(const LoopThread&) = delete;
  LoopThread& operator=(const LoopThread&) = delete;
  // Ends the loop after the tasks already due and waits for the thread; tasks
  // still pending are released there without running.
  ~LoopThread();

 private:
  void Main(ThreadRole role);

  const cef_thread_id_t id_;
  std::shared_ptr<MessageLoop> loop_;
  UniqueHandle ready_;
  std::unique_ptr<Thread> thread_;
};

}  // namespace quirel::standin
