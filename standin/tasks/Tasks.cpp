#include "standin/tasks/Tasks.h"

#include "standin/core/LoopRegistry.h"
#include "standin/core/Provides.h"
#include "standin/core/Trace.h"

namespace quirel::standin {

int PostProgramTask(cef_thread_id_t thread_id, CefRef<cef_task_t> task, long long delay_ms) {
  if (!task) return 0;
  const auto loop = FindLoop(thread_id);
  if (!loop) return 0;
  const long long id = trace::NextObjectId();
  return loop->Post(
      [task = std::move(task), thread_id, id] {
        trace::Callback("task.execute").Int("task", id).Int("thread_id", thread_id);
        if (Provides(task.get(), &cef_task_t::execute)) task->execute(task.get());
      },
      delay_ms);
}

bool CurrentlyOn(cef_thread_id_t thread_id) {
  const auto loop = FindLoop(thread_id);
  return loop && loop->RunsOnCurrentThread();
}

}  // namespace quirel::standin
