#include "standin/browser/RequestContext.h"

#include <cwctype>
#include <map>
#include <mutex>
#include <string>

#include "engine/capi/CefObject.h"
#include "standin/browser/BrowserProcess.h"
#include "standin/browser/CookieManager.h"
#include "standin/browser/UiCallbacks.h"
#include "standin/browser/Values.h"
#include "standin/core/Leftovers.h"
#include "standin/core/NoDestructor.h"
#include "standin/core/Trace.h"
#include "standin/exports/Unsupported.h"
#include "standin/strings/EngineStrings.h"

namespace quirel::standin {
namespace {

class RequestContext : public CefObject<RequestContext, cef_request_context_t> {
  leftovers::Counted counted_{"request_context"};

 public:
  RequestContext() : object_(trace::NextObjectId()) {
    cef_request_context_t* s = cef();
    Bind<&RequestContext::IsSame>(s->is_same);
    Bind<&RequestContext::IsSharingWith>(s->is_sharing_with);
    Bind<&RequestContext::IsGlobal>(s->is_global);
    Bind<&RequestContext::GetHandler>(s->get_handler);
    Bind<&RequestContext::GetCachePath>(s->get_cache_path);
    Bind<&RequestContext::GetCookieManager>(s->get_cookie_manager);
    Bind<&RequestContext::RegisterSchemeHandlerFactory>(s->register_scheme_handler_factory);
    Bind<&RequestContext::ClearSchemeHandlerFactories>(s->clear_scheme_handler_factories);
    Bind<&RequestContext::PurgePluginListCache>(s->purge_plugin_list_cache);
    Bind<&RequestContext::HasPreference>(s->has_preference);
    Bind<&RequestContext::GetPreference>(s->get_preference);
    Bind<&RequestContext::GetAllPreferences>(s->get_all_preferences);
    Bind<&RequestContext::CanSetPreference>(s->can_set_preference);
    Bind<&RequestContext::SetPreference>(s->set_preference);
    Bind<&RequestContext::ClearCertificateExceptions>(s->clear_certificate_exceptions);
    Bind<&RequestContext::ClearHttpAuthCredentials>(s->clear_http_auth_credentials);
    Bind<&RequestContext::CloseAllConnections>(s->close_all_connections);
    Bind<&RequestContext::ResolveHost>(s->resolve_host);
    Bind<&RequestContext::LoadExtension>(s->load_extension);
    Bind<&RequestContext::DidLoadExtension>(s->did_load_extension);
    Bind<&RequestContext::HasExtension>(s->has_extension);
    Bind<&RequestContext::GetExtensions>(s->get_extensions);
    Bind<&RequestContext::GetExtension>(s->get_extension);
    Bind<&RequestContext::GetMediaRouter>(s->get_media_router);
  }

 private:
  int IsSame(cef_request_context_t* other) {
    CefRef<cef_request_context_t> held = CefAdopt(other);
    trace::Method("request_context.is_same", object_);
    return other == cef();
  }
  int IsSharingWith(cef_request_context_t* other) {
    CefRef<cef_request_context_t> held = CefAdopt(other);
    trace::Method("request_context.is_sharing_with", object_);
    return other == cef();
  }
  int IsGlobal() {
    trace::Method("request_context.is_global", object_);
    return 1;
  }
  cef_request_context_handler_t* GetHandler() {
    trace::Method("request_context.get_handler", object_);
    return nullptr;
  }
  // In memory, as the engine is without a cache path.
  cef_string_userfree_t GetCachePath() {
    trace::Method("request_context.get_cache_path", object_);
    return NewUserFreeString(L"");
  }
  cef_cookie_manager_t* GetCookieManager(cef_completion_callback_t* callback) {
    CefRef<cef_completion_callback_t> done = CefAdopt(callback);
    trace::Method("request_context.get_cookie_manager", object_).Bool("callback", bool(done));
    return GetGlobalCookieManager(std::move(done));
  }
  int RegisterSchemeHandlerFactory(const cef_string_t* scheme, const cef_string_t* domain,
                                   cef_scheme_handler_factory_t* factory) {
    ReleaseArguments(factory);
    trace::Method("request_context.register_scheme_handler_factory", object_)
        .Text("scheme_name", scheme)
        .Text("domain_name", domain);
    return 0;
  }
  int ClearSchemeHandlerFactories() {
    trace::Method("request_context.clear_scheme_handler_factories", object_);
    return 1;
  }
  void PurgePluginListCache(int reload_pages) {
    trace::Method("request_context.purge_plugin_list_cache", object_)
        .Int("reload_pages", reload_pages);
  }
  int HasPreference(const cef_string_t* name) {
    trace::Method("request_context.has_preference", object_).Text("name", name);
    std::lock_guard lock(mutex_);
    return preferences_.contains(ToWString(name));
  }
  cef_value_t* GetPreference(const cef_string_t* name) {
    trace::Method("request_context.get_preference", object_).Text("name", name);
    std::lock_guard lock(mutex_);
    const auto it = preferences_.find(ToWString(name));
    return it == preferences_.end() ? nullptr : NewValue(it->second.Copy()).Detach();
  }
  cef_dictionary_value_t* GetAllPreferences(int include_defaults) {
    trace::Method("request_context.get_all_preferences", object_)
        .Int("include_defaults", include_defaults);
    std::lock_guard lock(mutex_);
    auto all = std::make_shared<DictionaryData>();
    for (const auto& [name, value] : preferences_) (*all)[name] = value.Copy();
    return NewDictionary(std::move(all), false, true).Detach();
  }
  int CanSetPreference(const cef_string_t* name) {
    const int result = IsPreferenceName(ToWString(name));
    trace::Method("request_context.can_set_preference", object_)
        .Text("name", name)
        .Int("result", result);
    return result;
  }
  int SetPreference(const cef_string_t* name, cef_value_t* value, cef_string_t* error) {
    CefRef<cef_value_t> held = CefAdopt(value);
    const std::wstring key = ToWString(name);
    trace::Line line = trace::Method("request_context.set_preference", object_);
    line.Text("name", name);
    if (!IsPreferenceName(key)) {
      line.Int("result", 0);
      if (error) SetString(error, L"Trying to modify an unregistered preference");
      return 0;
    }
    if (!value) {
      // A null value restores the default: the engine's defaults are not stored.
      std::lock_guard lock(mutex_);
      preferences_.erase(key);
      line.Object("value", ValueJson(ValueData{})).Int("result", 1);
      return 1;
    }
    const ValueData data = ValueOf(value);
    if (data.type == VTYPE_INVALID) {
      line.Int("result", 0);
      if (error) SetString(error, L"Invalid value");
      return 0;
    }
    line.Object("value", ValueJson(data)).Int("result", 1);
    std::lock_guard lock(mutex_);
    preferences_[key] = data.Copy();
    return 1;
  }
  void ClearCertificateExceptions(cef_completion_callback_t* callback) {
    trace::Method("request_context.clear_certificate_exceptions", object_);
    CompleteOnUiThread(CefAdopt(callback));
  }
  void ClearHttpAuthCredentials(cef_completion_callback_t* callback) {
    trace::Method("request_context.clear_http_auth_credentials", object_);
    CompleteOnUiThread(CefAdopt(callback));
  }
  void CloseAllConnections(cef_completion_callback_t* callback) {
    trace::Method("request_context.close_all_connections", object_);
    CompleteOnUiThread(CefAdopt(callback));
  }
  void ResolveHost(const cef_string_t* origin, cef_resolve_callback_t* callback) {
    ReleaseArguments(callback);
    trace::Method("request_context.resolve_host", object_).Text("origin", origin);
  }
  void LoadExtension(const cef_string_t* root, cef_dictionary_value_t* manifest,
                     cef_extension_handler_t* handler) {
    ReleaseArguments(manifest, handler);
    trace::Method("request_context.load_extension", object_).Text("root_directory", root);
  }
  int DidLoadExtension(const cef_string_t*) { return 0; }
  int HasExtension(const cef_string_t*) { return 0; }
  int GetExtensions(cef_string_list_t) { return 1; }
  cef_extension_t* GetExtension(const cef_string_t*) { return nullptr; }
  cef_media_router_t* GetMediaRouter() { return nullptr; }

  const long long object_;
  std::mutex mutex_;
  std::map<std::wstring, ValueData> preferences_;
};

}  // namespace

bool IsPreferenceName(const std::wstring& name) {
  if (name.empty() || name.front() == L'.' || name.back() == L'.') return false;
  bool dot = false;
  wchar_t previous = 0;
  for (const wchar_t c : name) {
    if (c == L'.') {
      if (previous == L'.') return false;
      dot = true;
    } else if (!(std::iswalnum(c) || c == L'_' || c == L'-')) {
      return false;
    }
    previous = c;
  }
  return dot;
}

CefRef<cef_request_context_t> GlobalRequestContext() {
  if (!BrowserProcessRunning()) return nullptr;
  static NoDestructor<CefRef<cef_request_context_t>> global(CefNew<RequestContext>());
  return global.get();
}

}  // namespace quirel::standin
