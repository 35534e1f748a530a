// Tasks and task runners on the engine's threads (TID_UI in the browser
// process, TID_RENDERER in a renderer). The engine's other threads (file, IO,
// process launcher) are not modelled: posting there fails with 0.
#include "standin/core/LoopRegistry.h"
#include "standin/core/Trace.h"
#include "standin/exports/Exports.h"
#include "standin/tasks/TaskRunner.h"
#include "standin/tasks/Tasks.h"

using namespace quirel::standin;

extern "C" {

cef_task_runner_t* cef_task_runner_get_for_current_thread() {
  trace::Call("cef_task_runner_get_for_current_thread");
  const auto id = CurrentNamedThread();
  return id ? NewTaskRunner(*id) : nullptr;
}

cef_task_runner_t* cef_task_runner_get_for_thread(cef_thread_id_t threadId) {
  trace::Call("cef_task_runner_get_for_thread").Int("thread_id", threadId);
  return NewTaskRunner(threadId);
}

int cef_currently_on(cef_thread_id_t threadId) {
  trace::Call("cef_currently_on").Int("thread_id", threadId);
  return CurrentlyOn(threadId);
}

int cef_post_task(cef_thread_id_t threadId, cef_task_t* task) {
  CefRef<cef_task_t> owned = CefAdopt(task);
  trace::Call("cef_post_task").Int("thread_id", threadId);
  return PostProgramTask(threadId, std::move(owned), 0);
}

int cef_post_delayed_task(cef_thread_id_t threadId, cef_task_t* task, int64 delay_ms) {
  CefRef<cef_task_t> owned = CefAdopt(task);
  trace::Call("cef_post_delayed_task").Int("thread_id", threadId).Int("delay_ms", delay_ms);
  return PostProgramTask(threadId, std::move(owned), delay_ms);
}

}  // extern "C"
