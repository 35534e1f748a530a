#include "ui/kit/Synchronize.h"

#include <deque>
#include <exception>
#include <mutex>

#include "common/Errors.h"

namespace quirel::kit {
namespace {

class Event {
 public:
  Event() : handle_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (!handle_) RaiseLastOSError();
  }
  ~Event() { CloseHandle(handle_); }
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;
  void Set() { SetEvent(handle_); }
  void Wait() { WaitForSingleObject(handle_, INFINITE); }

 private:
  HANDLE handle_;
};

struct Request {
  const std::function<void()>* work = nullptr;
  bool ran = false;
  std::exception_ptr error;
  Event done;
};

struct Queue {
  std::mutex mutex;
  HWND window = nullptr;
  std::deque<Request*> pending;
};

Queue& TheQueue() {
  static Queue queue;
  return queue;
}

}  // namespace

bool Synchronize(const std::function<void()>& work) {
  Queue& queue = TheQueue();
  Request request;
  request.work = &work;
  {
    std::lock_guard lock(queue.mutex);
    if (!queue.window) return false;
    queue.pending.push_back(&request);
    // A request whose notice cannot be posted still runs with the next one, or is cancelled
    // with the window.
    PostMessageW(queue.window, kSynchronizeMessage, 0, 0);
  }
  request.done.Wait();
  if (request.error) std::rethrow_exception(request.error);
  return request.ran;
}

void SetSynchronizeWindow(HWND window) {
  Queue& queue = TheQueue();
  std::lock_guard lock(queue.mutex);
  queue.window = window;
  if (window) return;
  while (!queue.pending.empty()) {
    Request* request = queue.pending.front();
    queue.pending.pop_front();
    request->done.Set();
  }
}

void CheckSynchronize() {
  Queue& queue = TheQueue();
  for (;;) {
    Request* request;
    {
      std::lock_guard lock(queue.mutex);
      if (queue.pending.empty()) return;
      request = queue.pending.front();
      queue.pending.pop_front();
    }
    // The lock is not held here: the work may show windows and queue further requests.
    try {
      (*request->work)();
    } catch (...) {
      request->error = std::current_exception();
    }
    request->ran = true;
    request->done.Set();
  }
}

}  // namespace quirel::kit
