#include <windows.h>

#include "HostEngine.h"
#include "Report.h"
#include "Scenarios.h"
#include "standin/ipc/Subprocess.h"

namespace standin_host {

int RunLaunchRenderer(bool vanish) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  auto renderer = quirel::standin::Subprocess::Start(path, L"--type=renderer --lang=it");
  Report("renderer_started", renderer != nullptr);
  if (!renderer) return 1;
  Report("renderer_pid", static_cast<long long>(renderer->process_id()));
  Report("renderer_ready", renderer->WaitUntilReady(20000));
  if (vanish) {
    // Gone without a word, as after a crash: the pipe breaks.
    TerminateProcess(GetCurrentProcess(), 0);
  }
  renderer->End();
  const auto code = renderer->WaitForExit(20000);
  Report("renderer_exit_code", code ? static_cast<long long>(*code) : -1);
  return 0;
}

}  // namespace standin_host
