#include "FakeEngine.h"

#include <future>

#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/CefString.h"

namespace fakecef {
namespace {

std::atomic<int> g_live{0};
Engine* g_engine = nullptr;
TCefEntryPoints g_saved;

int CreateBrowser(const cef_window_info_t* info, cef_client_t* client, const cef_string_t* url,
                  const cef_browser_settings_t* settings, cef_dictionary_value_t* extraInfo,
                  cef_request_context_t* context) {
  CreateCall call;
  call.info = *info;
  call.info.window_name = cef_string_t{};  // the program's; read now, not kept
  call.windowName = CefToWString(&info->window_name);
  call.client = CefAdopt(client);
  call.url = CefToWString(url);
  call.settingsSize = settings->size;
  call.background = settings->background_color;
  call.acceptLanguages = CefToWString(&settings->accept_language_list);
  call.extraInfo = CefAdopt(extraInfo);
  call.context = CefAdopt(context);
  g_engine->creates.push_back(std::move(call));
  return g_engine->createAnswer.load();
}

cef_browser_t* CreateBrowserSync(const cef_window_info_t* info, cef_client_t* client,
                                 const cef_string_t* url, const cef_browser_settings_t* settings,
                                 cef_dictionary_value_t* extraInfo, cef_request_context_t* context) {
  CreateBrowser(info, client, url, settings, extraInfo, context);
  g_engine->creates.back().sync = true;
  return g_engine->syncBrowser.Share();
}

int PostTask(cef_thread_id_t thread, cef_task_t* task) {
  CefRef<cef_task_t> held = CefAdopt(task);
  if (thread != TID_UI) return 0;
  ++g_engine->tasksPosted;
  g_engine->Ui().Post([held] { held->execute(held.get()); });
  return 1;
}

cef_value_t* CreateValue() { return CefNew<Value>().Detach(); }
cef_dictionary_value_t* CreateDictionary() { return CefNew<Dictionary>().Detach(); }

}  // namespace

int LiveObjects() { return g_live.load(); }

Counted::Counted() { ++g_live; }
Counted::~Counted() { --g_live; }

bool HasOneRef(cef_base_ref_counted_t* base) { return base->has_one_ref(base) != 0; }

// --- UI thread. ---

UiThread::UiThread() : thread_([this] { Loop(); }) {
  while (id_.load() == 0) Sleep(1);
}

UiThread::~UiThread() {
  {
    std::lock_guard lock(lock_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void UiThread::Loop() {
  id_ = GetCurrentThreadId();
  for (;;) {
    std::function<void()> work;
    {
      std::unique_lock lock(lock_);
      wake_.wait(lock, [&] { return stop_ || !queue_.empty(); });
      if (queue_.empty()) return;
      work = std::move(queue_.front());
      queue_.pop_front();
    }
    work();
  }
}

void UiThread::Post(std::function<void()> work) {
  {
    std::lock_guard lock(lock_);
    queue_.push_back(std::move(work));
  }
  wake_.notify_all();
}

void UiThread::Run(const std::function<void()>& work) {
  std::promise<void> done;
  Post([&] {
    work();
    done.set_value();
  });
  done.get_future().wait();
}

// --- Frames. ---

Frame::Frame(std::wstring name, bool valid) : name_(std::move(name)), valid_(valid) {
  Bind<&Frame::IsValid>(cef()->is_valid);
  Bind<&Frame::LoadUrl>(cef()->load_url);
}

void Frame::LoadUrl(const cef_string_t* url) {
  std::lock_guard lock(lock_);
  loads_.push_back(CefToWString(url));
}

std::vector<std::wstring> Frame::Loads() const {
  std::lock_guard lock(lock_);
  return loads_;
}

// --- Values. ---

Value::Value() {
  Bind<&Value::SetBool>(cef()->set_bool);
  Bind<&Value::SetInt>(cef()->set_int);
  Bind<&Value::SetString>(cef()->set_string);
  Bind<&Value::SetDictionary>(cef()->set_dictionary);
}

int Value::SetBool(int v) {
  content = v != 0;
  return 1;
}
int Value::SetInt(int v) {
  content = v;
  return 1;
}
int Value::SetString(const cef_string_t* v) {
  content = CefToWString(v);
  return 1;
}
int Value::SetDictionary(cef_dictionary_value_t* v) {
  CefRef<cef_dictionary_value_t> held = CefAdopt(v);
  const auto& strings = Dictionary::FromSelf(v)->strings;
  auto mode = strings.find(L"mode");
  // Only a dictionary holding exactly {"mode": ...} reads as the proxy value.
  content = strings.size() == 1 && mode != strings.end()
                ? Content(quirel::TProxyModeValue{mode->second})
                : Content(std::wstring(L"<dictionary>"));
  return 1;
}

Dictionary::Dictionary() { Bind<&Dictionary::SetString>(cef()->set_string); }

int Dictionary::SetString(const cef_string_t* key, const cef_string_t* value) {
  strings[CefToWString(key)] = CefToWString(value);
  return 1;
}

RequestContext::RequestContext() {
  Bind<&RequestContext::CanSetPreference>(cef()->can_set_preference);
  Bind<&RequestContext::SetPreference>(cef()->set_preference);
}

int RequestContext::CanSetPreference(const cef_string_t* name) {
  return refused.count(CefToWString(name)) ? 0 : 1;
}

int RequestContext::SetPreference(const cef_string_t* name, cef_value_t* value, cef_string_t*) {
  CefRef<cef_value_t> held = CefAdopt(value);
  const std::wstring key = CefToWString(name);
  if (refused.count(key)) return 0;
  set.emplace_back(key, Value::FromSelf(value)->content);
  return 1;
}

// --- Hosts and browsers. ---

Host::Host(HWND w) : window(w), context(CefNew<RequestContext>()) {
  Bind<&Host::CloseBrowser>(cef()->close_browser);
  Bind<&Host::GetWindowHandle>(cef()->get_window_handle);
  Bind<&Host::GetRequestContext>(cef()->get_request_context);
  Bind<&Host::ShowDevTools>(cef()->show_dev_tools);
  Bind<&Host::CloseDevTools>(cef()->close_dev_tools);
  Bind<&Host::NotifyMoveOrResizeStarted>(cef()->notify_move_or_resize_started);
}

void Host::CloseBrowser(int force) { closeCalls.push_back(force); }

void Host::ShowDevTools(const cef_window_info_t* info, cef_client_t* client,
                        const cef_browser_settings_t* settings, const cef_point_t* at) {
  DevToolsCall call;
  call.info = *info;
  call.info.window_name = cef_string_t{};
  call.windowName = CefToWString(&info->window_name);
  call.client = CefAdopt(client);
  call.background = settings->background_color;
  call.settingsSize = settings->size;
  if (at) call.point = *at;
  devTools.push_back(std::move(call));
}

Browser::Browser(int i, HWND window)
    : id(i),
      host(CefNew<Host>(window)),
      mainFrame(CefNew<Frame>(L"")),
      childFrame(CefNew<Frame>(L"child")) {
  Bind<&Browser::GetHost>(cef()->get_host);
  Bind<&Browser::GoBack>(cef()->go_back);
  Bind<&Browser::GoForward>(cef()->go_forward);
  Bind<&Browser::DoReload>(cef()->reload);
  Bind<&Browser::GetIdentifier>(cef()->get_identifier);
  Bind<&Browser::GetMainFrame>(cef()->get_main_frame);
  Bind<&Browser::GetFrame>(cef()->get_frame);
}

cef_frame_t* Browser::GetFrame(const cef_string_t* name) {
  return CefToWString(name) == L"child" ? childFrame.Share() : nullptr;
}

void Browser::Record(const char* what) {
  std::lock_guard lock(lock_);
  navigations_.push_back({what, GetCurrentThreadId()});
}

std::vector<Browser::Navigation> Browser::Navigations() const {
  std::lock_guard lock(lock_);
  return navigations_;
}

// --- Engine. ---

Engine::Engine() {
  g_saved = g_cef;
  g_engine = this;
  g_cef.cef_browser_host_create_browser = &CreateBrowser;
  g_cef.cef_browser_host_create_browser_sync = &CreateBrowserSync;
  g_cef.cef_post_task = &PostTask;
  g_cef.cef_value_create = &CreateValue;
  g_cef.cef_dictionary_value_create = &CreateDictionary;
}

Engine::~Engine() {
  ui_.Run([] {});
  creates.clear();
  syncBrowser.Reset();
  g_cef = g_saved;
  g_engine = nullptr;
}

Engine* Engine::Current() { return g_engine; }

CefRef<cef_browser_t> Engine::NewBrowser(int id, HWND window) {
  return CefNew<Browser>(id, window);
}

void Engine::AfterCreated(cef_client_t* client, const CefRef<cef_browser_t>& browser) {
  ui_.Run([&] {
    if (auto handler = LifeSpan(client)) handler->on_after_created(handler.get(), browser.Share());
  });
}

int Engine::DoClose(cef_client_t* client, const CefRef<cef_browser_t>& browser) {
  int answer = -1;
  ui_.Run([&] {
    if (auto handler = LifeSpan(client)) answer = handler->do_close(handler.get(), browser.Share());
  });
  return answer;
}

void Engine::BeforeClose(cef_client_t* client, const CefRef<cef_browser_t>& browser) {
  ui_.Run([&] {
    if (auto handler = LifeSpan(client)) handler->on_before_close(handler.get(), browser.Share());
  });
}

CefRef<cef_life_span_handler_t> LifeSpan(cef_client_t* client) {
  return CefAdopt(client->get_life_span_handler(client));
}
CefRef<cef_request_handler_t> Request(cef_client_t* client) {
  return CefAdopt(client->get_request_handler(client));
}
CefRef<cef_load_handler_t> Load(cef_client_t* client) {
  return CefAdopt(client->get_load_handler(client));
}
CefRef<cef_display_handler_t> Display(cef_client_t* client) {
  return CefAdopt(client->get_display_handler(client));
}
CefRef<cef_context_menu_handler_t> ContextMenu(cef_client_t* client) {
  return CefAdopt(client->get_context_menu_handler(client));
}
CefRef<cef_download_handler_t> Download(cef_client_t* client) {
  return CefAdopt(client->get_download_handler(client));
}

}  // namespace fakecef
