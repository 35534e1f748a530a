// The engine's cef_task_runner_t for one of its named threads. It posts to
// that thread for as long as the thread runs.
#pragma once

#include "engine/capi/CefObject.h"
#include "engine/capi/cef_capi.h"
#include "standin/core/Leftovers.h"

namespace quirel::standin {

class TaskRunner : public CefObject<TaskRunner, cef_task_runner_t> {
  leftovers::Counted counted_{"task_runner"};

 public:
  explicit TaskRunner(cef_thread_id_t thread_id);

 private:
  int IsSame(cef_task_runner_t* that);
  int BelongsToCurrentThread();
  int BelongsToThread(cef_thread_id_t thread_id);
  int PostTask(cef_task_t* task);
  int PostDelayedTask(cef_task_t* task, int64 delay_ms);

  const cef_thread_id_t thread_id_;
  const long long id_;
};

// Null when that thread is not running.
cef_task_runner_t* NewTaskRunner(cef_thread_id_t thread_id);

}  // namespace quirel::standin
