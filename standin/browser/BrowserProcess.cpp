#include "standin/browser/BrowserProcess.h"

#include <windows.h>

#include <memory>
#include <mutex>

#include "standin/browser/RendererHost.h"
#include "standin/browser/SettingsRecord.h"
#include "standin/commandline/GlobalCommandLine.h"
#include "standin/core/Leftovers.h"
#include "standin/core/LoopRegistry.h"
#include "standin/core/LoopThread.h"
#include "standin/core/NoDestructor.h"
#include "standin/core/Trace.h"
#include "standin/process/AppCalls.h"
#include "standin/process/ProcessType.h"
#include "standin/strings/StringCollections.h"

namespace quirel::standin {
namespace {

struct Engine {
  DWORD initialising_thread = 0;
  SettingsRecord settings;
  CefRef<cef_app_t> app;
  CefRef<cef_resource_bundle_handler_t> resource_bundle_handler;
  CefRef<cef_browser_process_handler_t> browser_process_handler;
  std::unique_ptr<LoopThread> ui_thread;     // multi-threaded message loop
  std::shared_ptr<MessageLoop> caller_loop;  // single-threaded: the initialising thread's
};

struct State {
  std::mutex mutex;
  std::unique_ptr<Engine> engine;
  bool started = false;
};

State& TheState() {
  static NoDestructor<State> state;
  return state.get();
}

JsonObject CommandLineJson(const CommandLine& line) {
  JsonArray argv;
  for (const std::wstring& arg : line.argv()) argv.Text(arg);
  JsonObject switches;
  for (const auto& [name, value] : line.switches()) switches.Entry(name, value);
  JsonArray arguments;
  for (const std::wstring& arg : line.Arguments()) arguments.Text(arg);
  return JsonObject()
      .Text("string", line.ToString())
      .Array("argv", argv)
      .Object("switches", switches)
      .Array("arguments", arguments);
}

// The first work of the UI thread: the browser context is ready.
void ContextInitialized(const CefRef<cef_browser_process_handler_t>& handler) {
  if (Provides(handler.get(), &cef_browser_process_handler_t::get_cookieable_schemes)) {
    StringList schemes;
    int include_defaults = 1;
    trace::Callback("browser_process_handler.get_cookieable_schemes");
    handler->get_cookieable_schemes(handler.get(), &schemes, &include_defaults);
    JsonArray traced;
    for (const std::wstring& scheme : schemes) traced.Text(scheme);
    trace::Event("browser_process_handler.get_cookieable_schemes.returned")
        .Array("schemes", traced)
        .Int("include_defaults", include_defaults);
  }
  if (Provides(handler.get(), &cef_browser_process_handler_t::on_context_initialized)) {
    trace::Callback("browser_process_handler.on_context_initialized");
    handler->on_context_initialized(handler.get());
  }
}

int Refuse(const wchar_t* reason) {
  trace::Event("cef_initialize.returned").Int("result", 0).Text("reason", reason);
  return 0;
}

}  // namespace

int InitializeBrowserProcess(const cef_main_args_t* args, const cef_settings_t* settings,
                             CefRef<cef_app_t> app) {
  if (!args || !settings) return Refuse(L"missing arguments");
  if (settings->size != sizeof(cef_settings_t)) return Refuse(L"invalid settings size");
  // A program started as a renderer that goes on as a browser (it never ran
  // cef_execute_process) would start renderers of its own, and so on.
  if (!CurrentProcessType().empty()) return Refuse(L"not the browser process");
  {
    State& state = TheState();
    std::lock_guard lock(state.mutex);
    if (state.started) return Refuse(L"already initialized");
    state.started = true;
  }

  auto engine = std::make_unique<Engine>();
  engine->initialising_thread = GetCurrentThreadId();
  engine->settings = SettingsRecord::From(*settings);
  engine->app = std::move(app);

  const auto command_line = StartGlobalCommandLine();
  if (engine->settings.command_line_args_disabled) command_line->Reset();
  OnBeforeCommandLineProcessing(engine->app.get(), L"", command_line);
  trace::Event("engine.command_line").Object("command_line", CommandLineJson(*command_line));
  OnRegisterCustomSchemes(engine->app.get());
  engine->resource_bundle_handler = GetResourceBundleHandler(engine->app.get());
  engine->browser_process_handler = GetBrowserProcessHandler(engine->app.get());
  leftovers::Watch("app", engine->app.get());
  leftovers::Watch("resource_bundle_handler", engine->resource_bundle_handler.get());
  leftovers::Watch("browser_process_handler", engine->browser_process_handler.get());

  std::shared_ptr<MessageLoop> ui_loop;
  if (engine->settings.multi_threaded_message_loop) {
    engine->ui_thread = std::make_unique<LoopThread>(TID_UI, ThreadRole::kUi);
    ui_loop = FindLoop(TID_UI);
  } else {
    engine->caller_loop = std::make_shared<MessageLoop>();
    RegisterLoop(TID_UI, engine->caller_loop);
    ui_loop = engine->caller_loop;
  }
  const CefRef<cef_browser_process_handler_t> handler = engine->browser_process_handler;
  {
    State& state = TheState();
    std::lock_guard lock(state.mutex);
    state.engine = std::move(engine);
  }
  trace::Event("cef_initialize.returned").Int("result", 1);
  ui_loop->Post([handler] { ContextInitialized(handler); });
  return 1;
}

void ShutdownBrowserProcess() {
  std::unique_ptr<Engine> engine;
  {
    State& state = TheState();
    std::lock_guard lock(state.mutex);
    if (!state.engine || state.engine->initialising_thread != GetCurrentThreadId()) {
      trace::Event("cef_shutdown.ignored")
          .Text("reason", state.engine ? L"not the initialising thread" : L"not initialized");
      return;
    }
    engine = std::move(state.engine);
  }
  engine->ui_thread.reset();  // runs what is due, then stops and joins
  if (engine->caller_loop) {
    UnregisterLoop(TID_UI);
    engine->caller_loop->Stop();
  }
  EndAllRenderers();
  // What the program gave the engine goes back, the app last.
  engine->browser_process_handler.Reset();
  engine->resource_bundle_handler.Reset();
  engine->app.Reset();
  leftovers::Report();
  trace::Event("cef_shutdown.done");
}

bool BrowserProcessRunning() {
  State& state = TheState();
  std::lock_guard lock(state.mutex);
  return state.engine != nullptr;
}

std::wstring BrowserSubprocessPath() {
  State& state = TheState();
  std::lock_guard lock(state.mutex);
  return state.engine ? state.engine->settings.browser_subprocess_path : std::wstring();
}

CefRef<cef_browser_process_handler_t> TheBrowserProcessHandler() {
  State& state = TheState();
  std::lock_guard lock(state.mutex);
  return state.engine ? state.engine->browser_process_handler : nullptr;
}

int MinLogLevel() {
  State& state = TheState();
  std::lock_guard lock(state.mutex);
  switch (state.engine ? state.engine->settings.log_severity : LOGSEVERITY_DEFAULT) {
    case LOGSEVERITY_VERBOSE:
      return -1;
    case LOGSEVERITY_WARNING:
      return 1;
    case LOGSEVERITY_ERROR:
      return 2;
    case LOGSEVERITY_FATAL:
      return 3;
    case LOGSEVERITY_DISABLE:
      return 4;  // above every severity: nothing is logged
    default:
      return 0;
  }
}

namespace {

// The initialising thread's loop in the single-threaded mode, when called there.
std::shared_ptr<MessageLoop> CallerLoop() {
  State& state = TheState();
  std::lock_guard lock(state.mutex);
  if (!state.engine || !state.engine->caller_loop ||
      !state.engine->caller_loop->RunsOnCurrentThread())
    return nullptr;
  return state.engine->caller_loop;
}

}  // namespace

void RunMessageLoop() {
  if (const auto loop = CallerLoop()) loop->Run();
}

void QuitMessageLoop() {
  if (const auto loop = CallerLoop()) loop->Quit();
}

void DoMessageLoopWork() {
  if (const auto loop = CallerLoop()) loop->RunDueTasks();
}

}  // namespace quirel::standin
