// A renderer sub-process (--type=renderer), run inside cef_execute_process on
// the calling thread, which becomes the renderer thread (TID_RENDERER).
#pragma once

#include <memory>

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"
#include "standin/commandline/CommandLine.h"

namespace quirel::standin {

// Started by a browser process of ours (the channel switch), it serves until
// told to end or until that process is gone; started directly, it ends once
// initialised. Returns the exit code.
int RunRendererProcess(CefRef<cef_app_t> app, const std::shared_ptr<CommandLine>& command_line);

}  // namespace quirel::standin
