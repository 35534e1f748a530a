// The engine started once in the test program itself (multi-threaded message
// loop, tracing into a file of its own), and the program's windows that host
// browsers: a top-level form with a child "host control".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Json.h"
#include "engine/capi/cef_capi.h"

namespace standin_test {

// Every line the engine traced so far in this process.
std::vector<Json> EngineTrace();
// The lines of another process writing to the same trace (a renderer).
std::vector<Json> ProcessTrace(DWORD process_id);

// The switch the program's on_before_child_process_launch adds (value
// "marked"), and how many launches it saw.
inline constexpr wchar_t kLaunchSwitch[] = L"quirel-test-launch";
int ChildLaunches();
// The next launch's program becomes kMissingRenderer, which does not exist.
inline constexpr wchar_t kMissingRenderer[] = L"C:\\nowhere\\missing_renderer.exe";
void LaunchMissingRendererNext();

// Window records as the program fills them.
cef_window_info_t ChildWindowInfo(HWND parent, RECT rect);
cef_browser_settings_t BrowserSettings();

class HostForm {
 public:
  HostForm();
  HostForm(const HostForm&) = delete;
  HostForm& operator=(const HostForm&) = delete;
  ~HostForm();

  HWND form() const { return form_; }
  HWND control() const { return control_; }
  // Destroys the host control (with the browser windows inside).
  void DestroyControl();

 private:
  HWND form_ = nullptr;
  HWND control_ = nullptr;
};

std::wstring ClassOf(HWND window);

}  // namespace standin_test
