#include "HostObjects.h"

#include <atomic>

namespace standin_host {
namespace {

std::atomic<int> g_live{0};

}  // namespace

int LiveObjects() { return g_live.load(); }

Live::Live() { ++g_live; }
Live::~Live() { --g_live; }

Task::Task(std::function<void()> run) : run_(std::move(run)) {
  Bind<&Task::Execute>(cef()->execute);
}

CompletionCallback::CompletionCallback(std::function<void()> done) : done_(std::move(done)) {
  Bind<&CompletionCallback::OnComplete>(cef()->on_complete);
}

V8Handler::V8Handler() { Bind<&V8Handler::Execute>(cef()->execute); }

int V8Handler::Execute(const cef_string_t*, cef_v8value_t* object, size_t count,
                       cef_v8value_t* const* arguments, cef_v8value_t**, cef_string_t*) {
  // Arguments carry references for us.
  if (object) CefRelease(object);
  for (size_t i = 0; i < count; ++i) {
    if (arguments[i]) CefRelease(arguments[i]);
  }
  return 0;
}

BrowserProcessHandler::BrowserProcessHandler(std::function<void()> on_context_initialized)
    : on_context_initialized_(std::move(on_context_initialized)) {
  Bind<&BrowserProcessHandler::GetCookieableSchemes>(cef()->get_cookieable_schemes);
  Bind<&BrowserProcessHandler::OnContextInitialized>(cef()->on_context_initialized);
}

RenderProcessHandler::RenderProcessHandler(std::function<void()> on_web_kit_initialized)
    : on_web_kit_initialized_(std::move(on_web_kit_initialized)) {
  Bind<&RenderProcessHandler::OnWebKitInitialized>(cef()->on_web_kit_initialized);
}

ResourceBundleHandler::ResourceBundleHandler() {
  Bind<&ResourceBundleHandler::GetLocalizedString>(cef()->get_localized_string);
  Bind<&ResourceBundleHandler::GetDataResource>(cef()->get_data_resource);
  Bind<&ResourceBundleHandler::GetDataResourceForScale>(cef()->get_data_resource_for_scale);
}

App::App(Callbacks callbacks, CefRef<cef_browser_process_handler_t> browser_process_handler,
         CefRef<cef_render_process_handler_t> render_process_handler,
         CefRef<cef_resource_bundle_handler_t> resource_bundle_handler)
    : callbacks_(std::move(callbacks)),
      browser_process_handler_(std::move(browser_process_handler)),
      render_process_handler_(std::move(render_process_handler)),
      resource_bundle_handler_(std::move(resource_bundle_handler)) {
  cef_app_t* c = cef();
  Bind<&App::OnBeforeCommandLineProcessing>(c->on_before_command_line_processing);
  Bind<&App::OnRegisterCustomSchemes>(c->on_register_custom_schemes);
  Bind<&App::GetResourceBundleHandler>(c->get_resource_bundle_handler);
  Bind<&App::GetBrowserProcessHandler>(c->get_browser_process_handler);
  Bind<&App::GetRenderProcessHandler>(c->get_render_process_handler);
}

void App::OnBeforeCommandLineProcessing(const cef_string_t* process_type,
                                        cef_command_line_t* command_line) {
  CefRef<cef_command_line_t> line = CefAdopt(command_line);
  std::wstring type;
  if (process_type && process_type->str) type.assign(process_type->str, process_type->length);
  if (callbacks_.on_before_command_line_processing)
    callbacks_.on_before_command_line_processing(type, std::move(line));
}

void App::OnRegisterCustomSchemes(cef_scheme_registrar_t* registrar) {
  if (callbacks_.on_register_custom_schemes) callbacks_.on_register_custom_schemes(registrar);
}

}  // namespace standin_host
