#include "standin/browser/RendererLaunch.h"

#include <windows.h>

#include <atomic>
#include <memory>

#include "standin/browser/BrowserProcess.h"
#include "standin/commandline/CommandLineObject.h"
#include "standin/commandline/GlobalCommandLine.h"
#include "standin/core/Provides.h"
#include "standin/core/Trace.h"
#include "standin/ipc/Channel.h"

namespace quirel::standin {
namespace {

std::wstring OwnExecutable() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::atomic<bool> g_execute_process_called{false};

}  // namespace

void NoteExecuteProcessCalled() { g_execute_process_called = true; }

std::optional<RendererCommand> PrepareRendererLaunch() {
  std::wstring executable = BrowserSubprocessPath();
  if (executable.empty()) {
    if (!g_execute_process_called) {
      trace::Event("renderer.unavailable")
          .Text("reason", L"no browser_subprocess_path, and this program does not run "
                          L"cef_execute_process");
      return std::nullopt;
    }
    executable = OwnExecutable();
  }
  auto line = std::make_shared<CommandLine>();
  line->SetProgram(executable);
  line->AppendSwitch(L"type", L"renderer");
  // The switches the browser process runs with go to its renderers (the
  // program's additions in on_before_command_line_processing among them).
  if (const auto global = GlobalCommandLine()) {
    for (const auto& [name, value] : global->switches()) {
      if (name == L"type" || name == kChannelSwitch) continue;
      line->AppendSwitch(name, value);
    }
  }

  const CefRef<cef_browser_process_handler_t> handler = TheBrowserProcessHandler();
  if (Provides(handler.get(), &cef_browser_process_handler_t::on_before_child_process_launch)) {
    NewCommandLine lent = MakeCommandLineObject(line, false);
    trace::Callback("browser_process_handler.on_before_child_process_launch")
        .Int("command_line", lent.object->id())
        .Text("command_line_string", line->ToString());
    handler->on_before_child_process_launch(handler.get(), lent.ref.Share());
    lent.object->Detach();
  }

  CommandLine bare;
  bare.SetProgram(line->program());
  const std::wstring program = bare.ToString();
  std::wstring whole = line->ToString();
  RendererCommand command;
  command.executable = line->program();
  command.arguments = whole.size() > program.size() ? whole.substr(program.size() + 1) : L"";
  trace::Event("renderer.command_line")
      .Text("executable", command.executable)
      .Text("arguments", command.arguments);
  return command;
}

}  // namespace quirel::standin
