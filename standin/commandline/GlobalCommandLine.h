// The engine's own command line of this process. It exists once the process
// starts the engine (cef_execute_process or cef_initialize), parsed from
// GetCommandLineW; before that there is none, as with the real engine.
#pragma once

#include <memory>

#include "standin/commandline/CommandLine.h"

namespace quirel::standin {

// Makes it on the first call.
std::shared_ptr<CommandLine> StartGlobalCommandLine();
// Null before StartGlobalCommandLine.
std::shared_ptr<CommandLine> GlobalCommandLine();

}  // namespace quirel::standin
