// The program's side of a browser, as the tests play it: a client whose
// handlers record every callback in order ("after_created",
// "load_end:200", ...) and answer as each test asks.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/capi/CefObject.h"
#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"

namespace standin_test {

std::string Narrow(const std::wstring& text);

// What the handlers saw, from any thread.
class Recorder {
 public:
  void Add(std::string event);
  std::vector<std::string> Events() const;
  // Events from `from` on.
  std::vector<std::string> Since(size_t from) const;
  size_t Count() const;
  // Pumps the calling thread's messages until an event equal to `event`
  // (or, with a trailing '*', starting with it) is recorded at or after `from`.
  bool WaitFor(const std::string& event, size_t from = 0, DWORD timeout_ms = 20000) const;

  void SetBrowser(CefRef<cef_browser_t> browser);
  CefRef<cef_browser_t> Browser() const;
  // Browsers in the order they were created (popups too).
  std::vector<CefRef<cef_browser_t>> Browsers() const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> events_;
  std::vector<CefRef<cef_browser_t>> browsers_;
};

// Pumps the calling thread's messages until `done` or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms);
void PumpFor(DWORD milliseconds);

struct ClientOptions {
  bool life_span = true;
  bool load = true;
  bool display = true;
  bool request = true;
  int do_close = 0;
  // Cancels a navigation when it answers true (on_before_browse).
  std::function<bool(const std::wstring& url)> cancel;
  // on_before_popup's answer, after it may change the window info and put
  // another client, with a reference of its own, into the slot (the entry's
  // reference is the test client's to release) (absent: 1, no popup).
  std::function<int(cef_window_info_t* window_info, cef_client_t** client)> popup;
  // The context menu handler: absent, leaving the engine's items, clearing
  // them, or keeping only "Reload".
  enum class Menu { kNone, kLeave, kEmpty, kOnlyReload } menu = Menu::kNone;
  // A download handler that continues with this path and dialog flag.
  bool download = false;
  std::wstring download_path;
  bool download_dialog = false;
  // Counts the client's own life: false once the engine let go of it.
  std::shared_ptr<bool> alive;
};

CefRef<cef_client_t> NewClient(std::shared_ptr<Recorder> recorder, ClientOptions options = {});

}  // namespace standin_test
