// The browser process's cookie manager. The schemes it is told to support go
// to the trace; it stores no cookies yet, so the cookie methods fail (0), the
// engine's answer when it cannot serve them.
#pragma once

#include "engine/capi/CefObject.h"
#include "engine/capi/cef_capi.h"
#include "standin/core/Leftovers.h"

namespace quirel::standin {

class CookieManager : public CefObject<CookieManager, cef_cookie_manager_t> {
  leftovers::Counted counted_{"cookie_manager"};

 public:
  CookieManager();

 private:
  void SetSupportedSchemes(cef_string_list_t schemes, int include_defaults,
                           cef_completion_callback_t* callback);
  int VisitAllCookies(cef_cookie_visitor_t* visitor);
  int VisitUrlCookies(const cef_string_t* url, int include_http_only,
                      cef_cookie_visitor_t* visitor);
  int SetCookie(const cef_string_t* url, const cef_cookie_t* cookie,
                cef_set_cookie_callback_t* callback);
  int DeleteCookies(const cef_string_t* url, const cef_string_t* cookie_name,
                    cef_delete_cookies_callback_t* callback);
  int FlushStore(cef_completion_callback_t* callback);

  const long long id_;
};

// Null before cef_initialize and after cef_shutdown.
cef_cookie_manager_t* GetGlobalCookieManager(CefRef<cef_completion_callback_t> callback);

}  // namespace quirel::standin
