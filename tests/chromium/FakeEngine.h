// An in-test engine for the browser component, reached through the program's entry-point
// table: browsers with a host, frames and a request context, values and dictionaries, and a
// UI thread of its own on which posted tasks and the engine's callbacks run. Every fake
// object counts itself, so a reference the component keeps or drops too many shows.
#pragma once

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "engine/ChromiumPreferences.h"
#include "engine/capi/CefObject.h"
#include "engine/capi/cef_capi.h"

namespace fakecef {

// Fake engine objects alive right now.
int LiveObjects();

// The engine's UI thread: runs queued work in order.
class UiThread {
 public:
  UiThread();
  ~UiThread();
  UiThread(const UiThread&) = delete;
  UiThread& operator=(const UiThread&) = delete;

  void Post(std::function<void()> work);
  // Runs `work` there and waits for it (and for everything queued before).
  void Run(const std::function<void()>& work);
  DWORD Id() const { return id_; }

 private:
  void Loop();

  std::mutex lock_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> queue_;
  bool stop_ = false;
  std::atomic<DWORD> id_{0};
  std::thread thread_;
};

class Counted {
 protected:
  Counted();
  ~Counted();
};

class Frame : public CefObject<Frame, cef_frame_t>, Counted {
 public:
  explicit Frame(std::wstring name, bool valid = true);
  std::vector<std::wstring> Loads() const;

 private:
  int IsValid() { return valid_; }
  void LoadUrl(const cef_string_t* url);

  std::wstring name_;
  bool valid_;
  mutable std::mutex lock_;
  std::vector<std::wstring> loads_;
};

class Value : public CefObject<Value, cef_value_t>, Counted {
 public:
  Value();
  using Content = std::variant<std::monostate, bool, int, std::wstring, quirel::TProxyModeValue>;
  Content content;

 private:
  int SetBool(int v);
  int SetInt(int v);
  int SetString(const cef_string_t* v);
  int SetDictionary(cef_dictionary_value_t* v);
};

class Dictionary : public CefObject<Dictionary, cef_dictionary_value_t>, Counted {
 public:
  Dictionary();
  std::map<std::wstring, std::wstring> strings;

 private:
  int SetString(const cef_string_t* key, const cef_string_t* value);
};

class RequestContext : public CefObject<RequestContext, cef_request_context_t>, Counted {
 public:
  RequestContext();
  std::set<std::wstring> refused;  // can_set_preference answers 0
  // Preferences set, in order, with their values.
  std::vector<std::pair<std::wstring, Value::Content>> set;

 private:
  int CanSetPreference(const cef_string_t* name);
  int SetPreference(const cef_string_t* name, cef_value_t* value, cef_string_t* error);
};

class Browser;

// What show_dev_tools received.
struct DevToolsCall {
  cef_window_info_t info{};
  std::wstring windowName;
  CefRef<cef_client_t> client;
  uint32 background = 0;
  size_t settingsSize = 0;
  std::optional<cef_point_t> point;
};

class Host : public CefObject<Host, cef_browser_host_t>, Counted {
 public:
  explicit Host(HWND window);
  HWND window;
  CefRef<cef_request_context_t> context;
  std::atomic<int> moveStarted{0};
  std::atomic<int> devToolsClosed{0};
  std::vector<int> closeCalls;  // force_close of each close_browser
  std::vector<DevToolsCall> devTools;
  RequestContext& Context() { return *RequestContext::FromSelf(context.get()); }

 private:
  void CloseBrowser(int force);
  cef_window_handle_t GetWindowHandle() { return window; }
  cef_request_context_t* GetRequestContext() { return context.Share(); }
  void ShowDevTools(const cef_window_info_t* info, cef_client_t* client,
                    const cef_browser_settings_t* settings, const cef_point_t* at);
  void CloseDevTools() { ++devToolsClosed; }
  void NotifyMoveOrResizeStarted() { ++moveStarted; }
};

class Browser : public CefObject<Browser, cef_browser_t>, Counted {
 public:
  Browser(int id, HWND window);
  int id;
  CefRef<cef_browser_host_t> host;
  CefRef<cef_frame_t> mainFrame;
  CefRef<cef_frame_t> childFrame;  // named "child"
  // Navigation calls with the thread each came on.
  struct Navigation {
    std::string what;
    DWORD thread;
  };
  std::vector<Navigation> Navigations() const;
  Host& TheHost() { return *Host::FromSelf(host.get()); }
  Frame& Main() { return *Frame::FromSelf(mainFrame.get()); }
  Frame& Child() { return *Frame::FromSelf(childFrame.get()); }

 private:
  cef_browser_host_t* GetHost() { return host.Share(); }
  void GoBack() { Record("back"); }
  void GoForward() { Record("forward"); }
  void DoReload() { Record("reload"); }
  int GetIdentifier() { return id; }
  cef_frame_t* GetMainFrame() { return mainFrame.Share(); }
  cef_frame_t* GetFrame(const cef_string_t* name);
  void Record(const char* what);

  mutable std::mutex lock_;
  std::vector<Navigation> navigations_;
};

// What cef_browser_host_create_browser(_sync) received.
struct CreateCall {
  cef_window_info_t info{};
  std::wstring windowName;
  CefRef<cef_client_t> client;
  std::wstring url;
  size_t settingsSize = 0;
  uint32 background = 0;
  std::wstring acceptLanguages;
  CefRef<cef_dictionary_value_t> extraInfo;
  CefRef<cef_request_context_t> context;
  bool sync = false;
};

// Installs the fake into g_cef; the previous table comes back when it goes.
class Engine {
 public:
  Engine();
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  UiThread& Ui() { return ui_; }
  // What cef_browser_host_create_browser answers (the browser never comes by itself).
  std::atomic<int> createAnswer{1};
  std::vector<CreateCall> creates;
  std::atomic<int> tasksPosted{0};
  // The browser create_browser_sync makes.
  CefRef<cef_browser_t> syncBrowser;

  // --- The engine's side of the client protocol, each on the UI thread. ---
  CefRef<cef_browser_t> NewBrowser(int id, HWND window = reinterpret_cast<HWND>(0x5150));
  void AfterCreated(cef_client_t* client, const CefRef<cef_browser_t>& browser);
  int DoClose(cef_client_t* client, const CefRef<cef_browser_t>& browser);
  void BeforeClose(cef_client_t* client, const CefRef<cef_browser_t>& browser);

  static Engine* Current();

 private:
  UiThread ui_;
};

// The handlers a client hands out (each a reference of the caller's).
CefRef<cef_life_span_handler_t> LifeSpan(cef_client_t* client);
CefRef<cef_request_handler_t> Request(cef_client_t* client);
CefRef<cef_load_handler_t> Load(cef_client_t* client);
CefRef<cef_display_handler_t> Display(cef_client_t* client);
CefRef<cef_context_menu_handler_t> ContextMenu(cef_client_t* client);
CefRef<cef_download_handler_t> Download(cef_client_t* client);

bool HasOneRef(cef_base_ref_counted_t* base);
template <typename T>
bool HasOneRef(T* object) {
  return HasOneRef(CefBaseOf(object));
}

}  // namespace fakecef
