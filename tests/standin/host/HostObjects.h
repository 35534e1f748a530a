// The host's own engine objects, as the program implements its app and
// handlers. Each one counts itself while alive, so the host can tell whether
// the engine released everything it was given.
#pragma once

#include <functional>
#include <string>

#include "engine/capi/CefObject.h"
#include "engine/capi/cef_capi.h"

namespace standin_host {

int LiveObjects();

class Live {
 public:
  Live();
  Live(const Live&) = delete;
  Live& operator=(const Live&) = delete;
  ~Live();
};

class Task : public CefObject<Task, cef_task_t> {
 public:
  explicit Task(std::function<void()> run);

 private:
  void Execute() { run_(); }
  std::function<void()> run_;
  Live live_;
};

class CompletionCallback : public CefObject<CompletionCallback, cef_completion_callback_t> {
 public:
  explicit CompletionCallback(std::function<void()> done);

 private:
  void OnComplete() { done_(); }
  std::function<void()> done_;
  Live live_;
};

// Handles no call: the stand-in does not run scripts yet.
class V8Handler : public CefObject<V8Handler, cef_v8handler_t> {
 public:
  V8Handler();

 private:
  int Execute(const cef_string_t*, cef_v8value_t* object, size_t count,
              cef_v8value_t* const* arguments, cef_v8value_t** retval, cef_string_t* exception);
  Live live_;
};

class BrowserProcessHandler
    : public CefObject<BrowserProcessHandler, cef_browser_process_handler_t> {
 public:
  explicit BrowserProcessHandler(std::function<void()> on_context_initialized);

 private:
  void GetCookieableSchemes(cef_string_list_t, int*) {}
  void OnContextInitialized() { on_context_initialized_(); }
  std::function<void()> on_context_initialized_;
  Live live_;
};

class RenderProcessHandler : public CefObject<RenderProcessHandler, cef_render_process_handler_t> {
 public:
  explicit RenderProcessHandler(std::function<void()> on_web_kit_initialized);

 private:
  void OnWebKitInitialized() { on_web_kit_initialized_(); }
  std::function<void()> on_web_kit_initialized_;
  Live live_;
};

class ResourceBundleHandler
    : public CefObject<ResourceBundleHandler, cef_resource_bundle_handler_t> {
 public:
  ResourceBundleHandler();

 private:
  int GetLocalizedString(int, cef_string_t*) { return 0; }
  int GetDataResource(int, void**, size_t*) { return 0; }
  int GetDataResourceForScale(int, cef_scale_factor_t, void**, size_t*) { return 0; }
  Live live_;
};

// Hands out its handlers whenever the engine asks; the trace shows who asked.
class App : public CefObject<App, cef_app_t> {
 public:
  struct Callbacks {
    // The command line arrives with the reference the engine gave us.
    std::function<void(const std::wstring& process_type, CefRef<cef_command_line_t>)>
        on_before_command_line_processing;
    std::function<void(cef_scheme_registrar_t*)> on_register_custom_schemes;
  };

  App(Callbacks callbacks, CefRef<cef_browser_process_handler_t> browser_process_handler,
      CefRef<cef_render_process_handler_t> render_process_handler,
      CefRef<cef_resource_bundle_handler_t> resource_bundle_handler);

 private:
  void OnBeforeCommandLineProcessing(const cef_string_t* process_type,
                                     cef_command_line_t* command_line);
  void OnRegisterCustomSchemes(cef_scheme_registrar_t* registrar);
  cef_resource_bundle_handler_t* GetResourceBundleHandler() {
    return resource_bundle_handler_.Share();
  }
  cef_browser_process_handler_t* GetBrowserProcessHandler() {
    return browser_process_handler_.Share();
  }
  cef_render_process_handler_t* GetRenderProcessHandler() {
    return render_process_handler_.Share();
  }

  Callbacks callbacks_;
  CefRef<cef_browser_process_handler_t> browser_process_handler_;
  CefRef<cef_render_process_handler_t> render_process_handler_;
  CefRef<cef_resource_bundle_handler_t> resource_bundle_handler_;
  Live live_;
};

}  // namespace standin_host
