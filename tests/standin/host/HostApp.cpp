#include "HostApp.h"

#include "Report.h"
#include "engine/capi/CefString.h"

namespace standin_host {
namespace {

void OnCommandLine(const std::wstring& type, CefRef<cef_command_line_t> line) {
  Report("command_line_thread_is_main", GetCurrentThreadId() == Seen().main_thread);
  Report("command_line_process_type", type);
  Report("command_line_valid", line->is_valid(line.get()));
  Report("command_line_read_only", line->is_read_only(line.get()));
  Report("command_line_before", CommandLineString(line.get()));
  Report("command_line_switches", Switches(line.get()));
  Report("command_line_arguments", Arguments(line.get()));
  if (type.empty()) {
    line->reset(line.get());
    line->append_switch(line.get(), CefStringArg(L"--enable-gpu-plugin"));
    line->append_switch_with_value(line.get(), CefStringArg(L"--enable-media-stream"),
                                   CefStringArg(L"1"));
    line->append_switch_with_value(line.get(), CefStringArg(L"Custom-Name"), CefStringArg(L"a b"));
    Report("command_line_after", CommandLineString(line.get()));
  }
  Seen().lent_command_line = std::move(line);
}

void OnSchemes(cef_scheme_registrar_t* registrar) {
  const auto add = [&](const wchar_t* name) {
    return registrar->add_custom_scheme(registrar, CefStringArg(name), CEF_SCHEME_OPTION_STANDARD);
  };
  Report("scheme_quirel", add(L"Quirel"));
  Report("scheme_quirel_again", add(L"quirel"));
  Report("scheme_http", add(L"http"));
}

void OnContextInitialized() {
  Observed& seen = Seen();
  seen.context_thread = GetCurrentThreadId();
  ++seen.context_count;
  Report("context_currently_on_ui", g_cef.cef_currently_on(TID_UI));
  CefRef<cef_cookie_manager_t> cookies =
      CefAdopt(g_cef.cef_cookie_manager_get_global_manager(nullptr));
  Report("cookie_manager", static_cast<bool>(cookies));
  if (cookies) {
    cef_string_list_t schemes = g_cef.cef_string_list_alloc();
    g_cef.cef_string_list_append(schemes, CefStringArg(L"quirel"));
    g_cef.cef_string_list_append(schemes, CefStringArg(L"custom"));
    CefRef<cef_completion_callback_t> done = CefNew<CompletionCallback>([] {
      Seen().schemes_applied_thread = GetCurrentThreadId();
      SetEvent(Seen().schemes_applied);
    });
    cookies->set_supported_schemes(cookies.get(), schemes, 1, done.Share());
    g_cef.cef_string_list_free(schemes);
  }
  SetEvent(seen.context_initialized);
}

void OnWebKitInitialized() {
  static int calls = 0;
  Report("web_kit_initialized", ++calls);
  Report("web_kit_thread_is_main", GetCurrentThreadId() == Seen().main_thread);
  Report("web_kit_currently_on_renderer", g_cef.cef_currently_on(TID_RENDERER));
  const auto add = [](const wchar_t* name) {
    return g_cef.cef_register_extension(CefStringArg(name),
                                        CefStringArg(L"var bridge = {};\nnative function call();"),
                                        CefNew<V8Handler>().Detach());
  };
  Report("register_bridge", add(L"v8/bridge"));
  Report("register_bridge_again", add(L"v8/bridge"));
  Report("register_without_handler",
         g_cef.cef_register_extension(CefStringArg(L"v8/plain"), CefStringArg(L"var plain;"),
                                      nullptr));
}

}  // namespace

Observed& Seen() {
  static Observed observed;
  return observed;
}

CefRef<cef_app_t> MakeApp() {
  return CefNew<App>(App::Callbacks{&OnCommandLine, &OnSchemes},
                     CefNew<BrowserProcessHandler>(&OnContextInitialized),
                     CefNew<RenderProcessHandler>(&OnWebKitInitialized),
                     CefNew<ResourceBundleHandler>());
}

std::wstring Switches(cef_command_line_t* line) {
  cef_string_map_t map = g_cef.cef_string_map_alloc();
  line->get_switches(line, map);
  std::wstring text;
  for (size_t i = 0; i < g_cef.cef_string_map_size(map); ++i) {
    CefStringOut key, value;
    g_cef.cef_string_map_key(map, i, key.get());
    g_cef.cef_string_map_value(map, i, value.get());
    if (i) text += L";";
    text += key.str() + L":" + value.str();
  }
  g_cef.cef_string_map_free(map);
  return text;
}

std::wstring Arguments(cef_command_line_t* line) {
  cef_string_list_t list = g_cef.cef_string_list_alloc();
  line->get_arguments(line, list);
  std::wstring text;
  for (size_t i = 0; i < g_cef.cef_string_list_size(list); ++i) {
    CefStringOut value;
    g_cef.cef_string_list_value(list, i, value.get());
    if (i) text += L"|";
    text += value.str();
  }
  g_cef.cef_string_list_free(list);
  return text;
}

std::wstring CommandLineString(cef_command_line_t* line) {
  return CefUserFreeString(line->get_command_line_string(line)).str();
}

}  // namespace standin_host
