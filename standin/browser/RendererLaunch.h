// What a renderer sub-process is started with: the subprocess path of the
// settings (else this process's executable), --type=renderer and the browser
// process's switches, as the program's on_before_child_process_launch leaves
// them.
#pragma once

#include <optional>
#include <string>

namespace quirel::standin {

struct RendererCommand {
  std::wstring executable;
  std::wstring arguments;  // quoted, after the executable
};

// UI thread (where the engine asks the program about a renderer's launch).
// Empty when there is no executable to start: without a subprocess path the
// renderer is this process's own executable, which can only be one if it runs
// cef_execute_process (a program that never calls it would start again as a
// browser process, and start renderers of its own).
std::optional<RendererCommand> PrepareRendererLaunch();

// cef_execute_process ran in this process.
void NoteExecuteProcessCalled();

}  // namespace quirel::standin
