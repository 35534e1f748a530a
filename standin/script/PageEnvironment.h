// What a page's scripts find besides the language: window (the global
// object), document.title, window.open / close, location, console and
// setTimeout. What they do goes to the page's host.
#pragma once

#include <string>

#include "engine/capi/cef_types.h"
#include "standin/script/ScriptContext.h"

namespace quirel::standin::script {

class PageHost {
 public:
  virtual ~PageHost() = default;
  virtual void TitleChanged(const std::wstring& title) = 0;
  virtual void Open(const std::wstring& url, const std::wstring& name,
                    cef_window_open_disposition_t disposition,
                    const cef_popup_features_t& features) = 0;
  virtual void Close() = 0;
  virtual void Navigate(const std::wstring& url) = 0;
  virtual void Log(const std::wstring& level, const std::wstring& text) = 0;
  // Timer `id` is due after `delay_ms`: FireTimer then runs it.
  virtual void StartTimer(unsigned id, long long delay_ms) = 0;
};

// Sets up the page's globals and the extensions' native function maker in a
// fresh context, for `host`. Leaves the timer-firing function held in the
// context: its hold id is returned.
unsigned InstallPageEnvironment(ScriptContext& context, PageHost& host, const std::wstring& title);

// Runs timer `id`'s function; a script error comes back.
std::optional<ScriptError> FireTimer(ScriptContext& context, unsigned fire_function, unsigned id);

}  // namespace quirel::standin::script
