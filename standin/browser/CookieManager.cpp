#include "standin/browser/CookieManager.h"

#include "standin/browser/BrowserProcess.h"
#include "standin/browser/UiCallbacks.h"
#include "standin/core/Trace.h"
#include "standin/strings/StringCollections.h"

namespace quirel::standin {

CookieManager::CookieManager() : id_(trace::NextObjectId()) {
  cef_cookie_manager_t* c = cef();
  Bind<&CookieManager::SetSupportedSchemes>(c->set_supported_schemes);
  Bind<&CookieManager::VisitAllCookies>(c->visit_all_cookies);
  Bind<&CookieManager::VisitUrlCookies>(c->visit_url_cookies);
  Bind<&CookieManager::SetCookie>(c->set_cookie);
  Bind<&CookieManager::DeleteCookies>(c->delete_cookies);
  Bind<&CookieManager::FlushStore>(c->flush_store);
}

void CookieManager::SetSupportedSchemes(cef_string_list_t schemes, int include_defaults,
                                        cef_completion_callback_t* callback) {
  CefRef<cef_completion_callback_t> done = CefAdopt(callback);
  const StringList list = ListContents(schemes);
  JsonArray traced;
  for (const std::wstring& scheme : list) traced.Text(scheme);
  trace::Method("cookie_manager.set_supported_schemes", id_)
      .Array("schemes", traced)
      .Int("include_defaults", include_defaults)
      .Bool("callback", static_cast<bool>(done));
  CompleteOnUiThread(std::move(done));
}

int CookieManager::VisitAllCookies(cef_cookie_visitor_t* visitor) {
  CefRef<cef_cookie_visitor_t> released = CefAdopt(visitor);
  trace::Method("cookie_manager.visit_all_cookies", id_);
  return 0;
}

int CookieManager::VisitUrlCookies(const cef_string_t* url, int include_http_only,
                                   cef_cookie_visitor_t* visitor) {
  CefRef<cef_cookie_visitor_t> released = CefAdopt(visitor);
  trace::Method("cookie_manager.visit_url_cookies", id_)
      .Text("url", url)
      .Int("include_http_only", include_http_only);
  return 0;
}

int CookieManager::SetCookie(const cef_string_t* url, const cef_cookie_t*,
                             cef_set_cookie_callback_t* callback) {
  CefRef<cef_set_cookie_callback_t> released = CefAdopt(callback);
  trace::Method("cookie_manager.set_cookie", id_).Text("url", url);
  return 0;
}

int CookieManager::DeleteCookies(const cef_string_t* url, const cef_string_t* cookie_name,
                                 cef_delete_cookies_callback_t* callback) {
  CefRef<cef_delete_cookies_callback_t> released = CefAdopt(callback);
  trace::Method("cookie_manager.delete_cookies", id_)
      .Text("url", url)
      .Text("cookie_name", cookie_name);
  return 0;
}

int CookieManager::FlushStore(cef_completion_callback_t* callback) {
  CefRef<cef_completion_callback_t> released = CefAdopt(callback);
  trace::Method("cookie_manager.flush_store", id_);
  return 0;
}

cef_cookie_manager_t* GetGlobalCookieManager(CefRef<cef_completion_callback_t> callback) {
  if (!BrowserProcessRunning()) return nullptr;
  // "Storage initialised" is immediate here; the callback still comes on the UI thread.
  CompleteOnUiThread(std::move(callback));
  return CefNew<CookieManager>().Detach();
}

}  // namespace quirel::standin
