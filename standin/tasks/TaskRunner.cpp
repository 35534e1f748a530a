#include "standin/tasks/TaskRunner.h"

#include "standin/core/LoopRegistry.h"
#include "standin/core/Trace.h"
#include "standin/tasks/Tasks.h"

namespace quirel::standin {

TaskRunner::TaskRunner(cef_thread_id_t thread_id)
    : thread_id_(thread_id), id_(trace::NextObjectId()) {
  cef_task_runner_t* c = cef();
  Bind<&TaskRunner::IsSame>(c->is_same);
  Bind<&TaskRunner::BelongsToCurrentThread>(c->belongs_to_current_thread);
  Bind<&TaskRunner::BelongsToThread>(c->belongs_to_thread);
  Bind<&TaskRunner::PostTask>(c->post_task);
  Bind<&TaskRunner::PostDelayedTask>(c->post_delayed_task);
}

int TaskRunner::IsSame(cef_task_runner_t* that) {
  CefRef<cef_task_runner_t> other = CefAdopt(that);
  trace::Method("task_runner.is_same", id_);
  // Only our own runners exist, so `that` is one of them.
  return other && FromSelf(other.get())->thread_id_ == thread_id_;
}

int TaskRunner::BelongsToCurrentThread() {
  trace::Method("task_runner.belongs_to_current_thread", id_);
  return CurrentlyOn(thread_id_);
}

int TaskRunner::BelongsToThread(cef_thread_id_t thread_id) {
  trace::Method("task_runner.belongs_to_thread", id_).Int("thread_id", thread_id);
  return thread_id == thread_id_;
}

int TaskRunner::PostTask(cef_task_t* task) {
  CefRef<cef_task_t> owned = CefAdopt(task);
  trace::Method("task_runner.post_task", id_).Int("thread_id", thread_id_);
  return PostProgramTask(thread_id_, std::move(owned), 0);
}

int TaskRunner::PostDelayedTask(cef_task_t* task, int64 delay_ms) {
  CefRef<cef_task_t> owned = CefAdopt(task);
  trace::Method("task_runner.post_delayed_task", id_)
      .Int("thread_id", thread_id_)
      .Int("delay_ms", delay_ms);
  return PostProgramTask(thread_id_, std::move(owned), delay_ms);
}

cef_task_runner_t* NewTaskRunner(cef_thread_id_t thread_id) {
  if (!FindLoop(thread_id)) return nullptr;
  return CefNew<TaskRunner>(thread_id).Detach();
}

}  // namespace quirel::standin
