// The engine's named threads (TID_UI, TID_RENDERER) and their loops, for
// posting tasks from any thread.
#pragma once

#include <memory>
#include <optional>

#include "engine/capi/cef_enums.h"
#include "standin/core/MessageLoop.h"

namespace quirel::standin {

void RegisterLoop(cef_thread_id_t id, std::shared_ptr<MessageLoop> loop);
void UnregisterLoop(cef_thread_id_t id);
// Null when that thread is not running.
std::shared_ptr<MessageLoop> FindLoop(cef_thread_id_t id);
// The named thread the caller is on, if any.
std::optional<cef_thread_id_t> CurrentNamedThread();

}  // namespace quirel::standin
