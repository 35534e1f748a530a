#include "BrowserEnvironment.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "EngineFiles.h"
#include "Trace.h"
#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/CefObject.h"
#include "engine/capi/CefString.h"

namespace standin_test {
namespace {

std::atomic<int>& TheLaunches() {
  static std::atomic<int> launches{0};
  return launches;
}

std::atomic<bool>& TheMissingNext() {
  static std::atomic<bool> missing{false};
  return missing;
}

std::unique_ptr<TraceFile>& TheTrace() {
  static std::unique_ptr<TraceFile> trace;
  return trace;
}

// The program's browser-process handler: it marks the command line of every
// renderer the engine launches.
class ProcessHandler : public CefObject<ProcessHandler, cef_browser_process_handler_t> {
 public:
  ProcessHandler() {
    Bind<&ProcessHandler::OnBeforeChildProcessLaunch>(cef()->on_before_child_process_launch);
  }

 private:
  void OnBeforeChildProcessLaunch(cef_command_line_t* line) {
    const CefRef<cef_command_line_t> held = CefAdopt(line);
    held->append_switch_with_value(held.get(), CefStringArg(kLaunchSwitch),
                                   CefStringArg(L"marked"));
    if (TheMissingNext().exchange(false))
      held->set_program(held.get(), CefStringArg(kMissingRenderer));
    ++TheLaunches();
  }
};

class App : public CefObject<App, cef_app_t> {
 public:
  App() { Bind<&App::GetBrowserProcessHandler>(cef()->get_browser_process_handler); }

 private:
  cef_browser_process_handler_t* GetBrowserProcessHandler() { return handler_.Share(); }
  CefRef<cef_browser_process_handler_t> handler_ = CefNew<ProcessHandler>();
};

class EngineEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    TheTrace() = std::make_unique<TraceFile>();
    SetEnvironmentVariableW(L"QUIREL_STANDIN_TRACE", TheTrace()->path().c_str());
    ASSERT_TRUE(LoadEngineHere());
    cef_main_args_t args{GetModuleHandleW(nullptr)};
    cef_settings_t settings{};
    settings.size = sizeof(settings);
    settings.multi_threaded_message_loop = 1;
    settings.no_sandbox = 1;
    // The renderers: a program of the script tests that is one (this one is not).
    static const std::wstring renderer = FromRunFolder(L"script_renderer_host.exe");
    settings.browser_subprocess_path = {const_cast<char16*>(renderer.c_str()), renderer.size(),
                                        nullptr};
    ASSERT_EQ(g_cef.cef_initialize(&args, &settings, CefNew<App>().Detach(), nullptr), 1);
  }
  void TearDown() override { g_cef.cef_shutdown(); }
};

const auto* const environment = testing::AddGlobalTestEnvironment(new EngineEnvironment);

constexpr wchar_t kHostClass[] = L"StandinTestHost";

void RegisterHostClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = &DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = kHostClass;
    return RegisterClassExW(&window_class);
  }();
  (void)atom;
}

}  // namespace

std::vector<Json> EngineTrace() {
  return TheTrace() ? OfProcess(TheTrace()->Read(), GetCurrentProcessId()) : std::vector<Json>{};
}

std::vector<Json> ProcessTrace(DWORD process_id) {
  return TheTrace() ? OfProcess(TheTrace()->Read(), process_id) : std::vector<Json>{};
}

int ChildLaunches() { return TheLaunches(); }

void LaunchMissingRendererNext() { TheMissingNext() = true; }

cef_window_info_t ChildWindowInfo(HWND parent, RECT rect) {
  cef_window_info_t info{};
  info.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VISIBLE;
  info.parent_window = parent;
  info.x = rect.left;
  info.y = rect.top;
  info.width = rect.right - rect.left;
  info.height = rect.bottom - rect.top;
  return info;
}

cef_browser_settings_t BrowserSettings() {
  cef_browser_settings_t settings{};
  settings.size = sizeof(settings);
  return settings;
}

HostForm::HostForm() {
  RegisterHostClass();
  form_ = CreateWindowExW(0, kHostClass, L"Host form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                          700, 500, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  control_ = CreateWindowExW(0, kHostClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                             680, 460, form_, nullptr, GetModuleHandleW(nullptr), nullptr);
}

HostForm::~HostForm() {
  if (IsWindow(form_)) DestroyWindow(form_);
}

void HostForm::DestroyControl() {
  DestroyWindow(control_);
  control_ = nullptr;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

}  // namespace standin_test
