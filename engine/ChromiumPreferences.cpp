#include "engine/ChromiumPreferences.h"

#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/CefRef.h"
#include "engine/capi/CefString.h"

namespace quirel {

std::wstring ChooseAcceptLanguageList(const std::wstring& component, const std::wstring& options,
                                      const std::wstring& application) {
  for (const std::wstring* list : {&component, &options, &application})
    if (!list->empty()) return *list;
  return L"en-US,en";
}

std::vector<TChromiumPreference> BrowserPreferences(const std::wstring& acceptLanguageList,
                                                    bool hyperlinkAuditing) {
  return {
      {L"proxy", TProxyModeValue{L"system"}},
      {L"enable_do_not_track", true},
      {L"enable_referrers", true},
      {L"enable_a_ping", hyperlinkAuditing},
      {L"plugins.run_all_flash_in_allow_mode", false},
      {L"plugins.allow_outdated", false},
      {L"plugins.always_authorize", false},
      {L"browser.enable_spellchecking", true},
      {L"settings.force_google_safesearch", false},
      {L"settings.force_youtube_restrict", 0},
      {L"printing.enabled", true},
      {L"intl.accept_languages", acceptLanguageList},
      {L"profile.default_content_setting_values.cookies", 1},
      {L"profile.block_third_party_cookies", false},
      {L"net.network_prediction_options", 1},
      {L"net.quic_allowed", true},
      {L"webkit.webprefs.javascript_enabled", true},
      {L"webkit.webprefs.loads_images_automatically", true},
  };
}

namespace {

struct ValueWriter {
  cef_value_t* value;
  void operator()(bool v) const { value->set_bool(value, v ? 1 : 0); }
  void operator()(int v) const { value->set_int(value, v); }
  void operator()(const std::wstring& v) const { value->set_string(value, CefStringArg(v)); }
  void operator()(const TProxyModeValue& v) const {
    CefRef<cef_dictionary_value_t> dictionary = CefAdopt(g_cef.cef_dictionary_value_create());
    if (!dictionary) return;
    dictionary->set_string(dictionary.get(), CefStringArg(L"mode"), CefStringArg(v.Mode));
    value->set_dictionary(value, dictionary.Share());
  }
};

}  // namespace

int ApplyPreferences(cef_request_context_t* context,
                     const std::vector<TChromiumPreference>& preferences) {
  if (!context) return 0;
  int set = 0;
  for (const TChromiumPreference& preference : preferences) {
    CefStringArg name(preference.Name);
    if (!context->can_set_preference(context, name)) continue;
    CefRef<cef_value_t> value = CefAdopt(g_cef.cef_value_create());
    if (!value) continue;
    std::visit(ValueWriter{value.get()}, preference.Value);
    CefStringOut error;
    if (context->set_preference(context, name, value.Share(), error.get())) ++set;
  }
  return set;
}

}  // namespace quirel
