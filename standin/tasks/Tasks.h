// The program's tasks on the engine's named threads. A task carries one
// reference for the engine, released on the target thread after it ran, or
// at once when it cannot be queued.
#pragma once

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"

namespace quirel::standin {

// 0 when that thread is not running (before cef_initialize, after
// cef_shutdown, or a thread this engine does not have).
int PostProgramTask(cef_thread_id_t thread_id, CefRef<cef_task_t> task, long long delay_ms);
bool CurrentlyOn(cef_thread_id_t thread_id);

}  // namespace quirel::standin
