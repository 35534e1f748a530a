#include "standin/process/AppCalls.h"

#include "standin/commandline/CommandLineObject.h"
#include "standin/core/Trace.h"

namespace quirel::standin {
namespace {

template <CefRefCounted Handler>
CefRef<Handler> GetHandler(cef_app_t* app, Handler* (CEF_CALLBACK* cef_app_t::*getter)(cef_app_t*),
                           const char* name) {
  if (!Provides(app, getter)) return nullptr;
  const std::string callback = std::string("app.") + name;
  trace::Callback(callback);
  CefRef<Handler> handler = CefAdopt((app->*getter)(app));
  trace::Event(callback + ".returned").Bool("handler", static_cast<bool>(handler));
  return handler;
}

}  // namespace

void OnBeforeCommandLineProcessing(cef_app_t* app, const std::wstring& process_type,
                                   const std::shared_ptr<CommandLine>& line) {
  if (!Provides(app, &cef_app_t::on_before_command_line_processing)) return;
  NewCommandLine lent = MakeCommandLineObject(line, false);
  trace::Callback("app.on_before_command_line_processing")
      .Text("process_type", process_type)
      .Int("command_line", lent.object->id())
      .Text("command_line_string", line->ToString());
  const cef_string_t type{const_cast<char16*>(process_type.c_str()), process_type.size(), nullptr};
  app->on_before_command_line_processing(app, &type, lent.ref.Share());
  lent.object->Detach();
}

std::vector<CustomScheme> OnRegisterCustomSchemes(cef_app_t* app) {
  if (!Provides(app, &cef_app_t::on_register_custom_schemes)) return {};
  SchemeRegistrar registrar;
  trace::Callback("app.on_register_custom_schemes").Int("registrar", registrar.id());
  app->on_register_custom_schemes(app, registrar.cef());
  return registrar.schemes();
}

CefRef<cef_resource_bundle_handler_t> GetResourceBundleHandler(cef_app_t* app) {
  return GetHandler(app, &cef_app_t::get_resource_bundle_handler, "get_resource_bundle_handler");
}

CefRef<cef_browser_process_handler_t> GetBrowserProcessHandler(cef_app_t* app) {
  return GetHandler(app, &cef_app_t::get_browser_process_handler, "get_browser_process_handler");
}

CefRef<cef_render_process_handler_t> GetRenderProcessHandler(cef_app_t* app) {
  return GetHandler(app, &cef_app_t::get_render_process_handler, "get_render_process_handler");
}

}  // namespace quirel::standin
