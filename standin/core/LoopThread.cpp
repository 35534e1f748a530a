#include "standin/core/LoopThread.h"

#include <stdexcept>

#include "standin/core/LoopRegistry.h"
#include "standin/core/Trace.h"

namespace quirel::standin {

LoopThread::LoopThread(cef_thread_id_t id, ThreadRole role)
    : id_(id), ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  if (!ready_) throw std::runtime_error("cannot create an event");
  thread_ = std::make_unique<Thread>([this, role] { Main(role); });
  WaitForSingleObject(ready_.get(), INFINITE);
}

LoopThread::~LoopThread() {
  // Quit from inside the loop, so it cannot be missed before Run starts.
  loop_->Post([loop = loop_.get()] { loop->Quit(); });
  thread_->Join();
}

void LoopThread::Main(ThreadRole role) {
  SetCurrentThreadRole(role);
  loop_ = std::make_shared<MessageLoop>();
  RegisterLoop(id_, loop_);
  trace::Event("thread.started").Int("thread_id", id_);
  SetEvent(ready_.get());
  loop_->Run();
  UnregisterLoop(id_);
  loop_->Stop();
  trace::Event("thread.stopped").Int("thread_id", id_);
}

}  // namespace quirel::standin
