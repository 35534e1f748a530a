// A thread's task queue and Windows message pump, as the engine runs one on
// its UI thread: tasks run in the order posted (delayed ones when due), and
// window messages are dispatched while waiting.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <mutex>
#include <utility>

#include "standin/core/UniqueHandle.h"

namespace quirel::standin {

class MessageLoop {
 public:
  using Task = std::function<void()>;

  // The loop belongs to the thread that creates it.
  MessageLoop();
  MessageLoop(const MessageLoop&) = delete;
  MessageLoop& operator=(const MessageLoop&) = delete;
  ~MessageLoop();

  // Any thread. False once the loop is stopped; the task is then destroyed
  // by the caller.
  bool Post(Task task, long long delay_ms = 0);

  // Owning thread. Runs tasks and messages until Quit (or a WM_QUIT, which is
  // posted again for the program's own loop).
  void Run();
  // Owning thread. Runs the tasks that are due, without waiting.
  void RunDueTasks();
  // Any thread: a running Run returns after the task in progress.
  void Quit();
  // Owning thread: no more tasks are accepted and the pending ones are
  // destroyed here, without running.
  void Stop();

  bool RunsOnCurrentThread() const { return GetCurrentThreadId() == thread_id_; }

 private:
  // Ordered by due time, then by posting order.
  using Key = std::pair<ULONGLONG, unsigned long long>;

  bool TakeDueTask(Task& task);
  DWORD MillisecondsToNextTask();
  bool PumpMessages();  // false on WM_QUIT

  const DWORD thread_id_;
  UniqueHandle wake_;
  std::mutex mutex_;
  std::map<Key, Task> tasks_;
  unsigned long long posted_ = 0;
  bool running_ = false;
  bool quit_ = false;
  bool stopped_ = false;
};

}  // namespace quirel::standin
