#include "standin/core/MessageLoop.h"

#include <stdexcept>

namespace quirel::standin {

MessageLoop::MessageLoop()
    : thread_id_(GetCurrentThreadId()), wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
  if (!wake_) throw std::runtime_error("cannot create an event");
}

MessageLoop::~MessageLoop() { Stop(); }

bool MessageLoop::Post(Task task, long long delay_ms) {
  {
    std::lock_guard lock(mutex_);
    if (stopped_) return false;
    const ULONGLONG due = GetTickCount64() + static_cast<ULONGLONG>(delay_ms > 0 ? delay_ms : 0);
    tasks_.emplace(Key{due, ++posted_}, std::move(task));
  }
  SetEvent(wake_.get());
  return true;
}

void MessageLoop::Run() {
  {
    std::lock_guard lock(mutex_);
    running_ = true;
  }
  HANDLE wake = wake_.get();
  for (;;) {
    Task task;
    while (TakeDueTask(task)) {
      task();
      task = nullptr;  // its references go here, on this thread
    }
    {
      std::lock_guard lock(mutex_);
      if (quit_) break;
    }
    MsgWaitForMultipleObjectsEx(1, &wake, MillisecondsToNextTask(), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
    if (!PumpMessages()) break;
  }
  std::lock_guard lock(mutex_);
  running_ = false;
  quit_ = false;
}

void MessageLoop::RunDueTasks() {
  Task task;
  while (TakeDueTask(task)) {
    task();
    task = nullptr;
  }
}

void MessageLoop::Quit() {
  {
    std::lock_guard lock(mutex_);
    if (!running_) return;  // nothing to end
    quit_ = true;
  }
  SetEvent(wake_.get());
}

void MessageLoop::Stop() {
  std::map<Key, Task> dropped;
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    dropped.swap(tasks_);
  }
  // `dropped` releases the tasks' references outside the lock: a release may
  // run the program's code, which may post again.
}

bool MessageLoop::TakeDueTask(Task& task) {
  std::lock_guard lock(mutex_);
  if (quit_ || tasks_.empty() || tasks_.begin()->first.first > GetTickCount64()) return false;
  task = std::move(tasks_.begin()->second);
  tasks_.erase(tasks_.begin());
  return true;
}

DWORD MessageLoop::MillisecondsToNextTask() {
  std::lock_guard lock(mutex_);
  if (quit_) return 0;
  if (tasks_.empty()) return INFINITE;
  const ULONGLONG due = tasks_.begin()->first.first;
  const ULONGLONG now = GetTickCount64();
  return due <= now ? 0 : static_cast<DWORD>(due - now);
}

bool MessageLoop::PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

}  // namespace quirel::standin
