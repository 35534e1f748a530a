// The program's entry routine, in every process: configures the engine application object,
// lets it decide the process's role, and in the browser process runs the main window.
#pragma once

namespace quirel {

// Returns the process's exit code.
int RunProgram();

}  // namespace quirel
