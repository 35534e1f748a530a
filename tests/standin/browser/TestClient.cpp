#include "TestClient.h"

#include <cstdio>

#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/CefString.h"

namespace standin_test {

std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

namespace {

std::string Text(const cef_string_t* string) {
  return string && string->str ? Narrow(std::wstring(string->str, string->length)) : "";
}

std::string UserFree(cef_string_userfree_t string) {
  const std::string text = Text(string);
  if (string) g_cef.cef_string_userfree_utf16_free(string);
  return text;
}

std::string Progress(double value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.2f", value);
  return text;
}

class LifeSpan : public CefObject<LifeSpan, cef_life_span_handler_t> {
 public:
  LifeSpan(std::shared_ptr<Recorder> recorder, int do_close,
           std::function<int(cef_window_info_t*, cef_client_t**)> popup)
      : recorder_(std::move(recorder)), do_close_(do_close), popup_(std::move(popup)) {
    Bind<&LifeSpan::OnBeforePopup>(cef()->on_before_popup);
    Bind<&LifeSpan::OnAfterCreated>(cef()->on_after_created);
    Bind<&LifeSpan::DoClose>(cef()->do_close);
    Bind<&LifeSpan::OnBeforeClose>(cef()->on_before_close);
  }

 private:
  int OnBeforePopup(cef_browser_t* browser, cef_frame_t* frame, const cef_string_t* url,
                    const cef_string_t* frame_name, cef_window_open_disposition_t disposition,
                    int user_gesture, const cef_popup_features_t* f,
                    cef_window_info_t* window_info, cef_client_t** client,
                    cef_browser_settings_t* settings, cef_dictionary_value_t**, int*) {
    CefAdopt(browser).Reset();
    CefAdopt(frame).Reset();
    // The client the engine put there carries a reference that is ours, replaced or not.
    const CefRef<cef_client_t> entry = CefTakeSlot(client);
    const std::string features =
        f->xSet || f->ySet || f->widthSet || f->heightSet
            ? std::to_string(f->xSet) + "," + std::to_string(f->x) + "," + std::to_string(f->ySet) +
                  "," + std::to_string(f->y) + "," + std::to_string(f->widthSet) + "," +
                  std::to_string(f->width) + "," + std::to_string(f->heightSet) + "," +
                  std::to_string(f->height)
            : "none";
    recorder_->Add("before_popup:" + Text(url) + ":" + Text(frame_name) + ":" +
                   std::to_string(disposition) + ":" + std::to_string(user_gesture) + ":" +
                   features);
    const bool prefilled =
        window_info->style == (WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE) &&
        window_info->x == (f->xSet ? f->x : static_cast<int>(CW_USEDEFAULT)) &&
        window_info->width == (f->widthSet ? f->width : static_cast<int>(CW_USEDEFAULT)) &&
        window_info->parent_window != nullptr && *client != nullptr &&
        settings && settings->size == sizeof(cef_browser_settings_t);
    recorder_->Add(std::string("popup_prefilled:") + (prefilled ? "1" : "0"));
    return popup_ ? popup_(window_info, client) : 1;
  }
  void OnAfterCreated(cef_browser_t* browser) {
    CefRef<cef_browser_t> held = CefAdopt(browser);
    recorder_->SetBrowser(held);
    recorder_->Add("after_created:" + std::to_string(held->get_identifier(held.get())));
  }
  int DoClose(cef_browser_t* browser) {
    CefAdopt(browser).Reset();
    recorder_->Add("do_close");
    return do_close_;
  }
  void OnBeforeClose(cef_browser_t* browser) {
    CefRef<cef_browser_t> held = CefAdopt(browser);
    recorder_->Add("before_close:" + std::to_string(held->get_identifier(held.get())));
  }

  std::shared_ptr<Recorder> recorder_;
  int do_close_;
  std::function<int(cef_window_info_t*, cef_client_t**)> popup_;
};

class Load : public CefObject<Load, cef_load_handler_t> {
 public:
  explicit Load(std::shared_ptr<Recorder> recorder) : recorder_(std::move(recorder)) {
    Bind<&Load::OnLoadingStateChange>(cef()->on_loading_state_change);
    Bind<&Load::OnLoadStart>(cef()->on_load_start);
    Bind<&Load::OnLoadEnd>(cef()->on_load_end);
    Bind<&Load::OnLoadError>(cef()->on_load_error);
  }

 private:
  void OnLoadingStateChange(cef_browser_t* browser, int loading, int back, int forward) {
    CefAdopt(browser).Reset();
    recorder_->Add("loading:" + std::to_string(loading) + ":" + std::to_string(back) + ":" +
                   std::to_string(forward));
  }
  void OnLoadStart(cef_browser_t* browser, cef_frame_t* frame, cef_transition_type_t type) {
    CefAdopt(browser).Reset();
    CefRef<cef_frame_t> held = CefAdopt(frame);
    recorder_->Add("load_start:" + std::to_string(static_cast<unsigned>(type)) + ":" +
                   std::to_string(held->is_main(held.get())));
  }
  void OnLoadEnd(cef_browser_t* browser, cef_frame_t* frame, int status) {
    CefAdopt(browser).Reset();
    CefRef<cef_frame_t> held = CefAdopt(frame);
    recorder_->Add("load_end:" + std::to_string(status) + ":" +
                   UserFree(held->get_url(held.get())));
  }
  void OnLoadError(cef_browser_t* browser, cef_frame_t* frame, cef_errorcode_t code,
                   const cef_string_t* text, const cef_string_t* url) {
    CefAdopt(browser).Reset();
    CefAdopt(frame).Reset();
    recorder_->Add("load_error:" + std::to_string(static_cast<int>(code)) + ":" + Text(text) +
                   ":" + Text(url));
  }

  std::shared_ptr<Recorder> recorder_;
};

class Display : public CefObject<Display, cef_display_handler_t> {
 public:
  explicit Display(std::shared_ptr<Recorder> recorder) : recorder_(std::move(recorder)) {
    Bind<&Display::OnAddressChange>(cef()->on_address_change);
    Bind<&Display::OnTitleChange>(cef()->on_title_change);
    Bind<&Display::OnProgress>(cef()->on_loading_progress_change);
    Bind<&Display::OnConsoleMessage>(cef()->on_console_message);
  }

 private:
  void OnAddressChange(cef_browser_t* browser, cef_frame_t* frame, const cef_string_t* url) {
    CefAdopt(browser).Reset();
    CefAdopt(frame).Reset();
    recorder_->Add("address:" + Text(url));
  }
  void OnTitleChange(cef_browser_t* browser, const cef_string_t* title) {
    CefAdopt(browser).Reset();
    recorder_->Add("title:" + Text(title));
  }
  void OnProgress(cef_browser_t* browser, double progress) {
    CefAdopt(browser).Reset();
    recorder_->Add("progress:" + Progress(progress));
  }
  int OnConsoleMessage(cef_browser_t* browser, cef_log_severity_t level,
                       const cef_string_t* message, const cef_string_t* source, int) {
    CefAdopt(browser).Reset();
    recorder_->Add("console:" + std::to_string(static_cast<int>(level)) + ":" + Text(message) +
                   ":" + Text(source));
    return 0;
  }

  std::shared_ptr<Recorder> recorder_;
};

class RequestHandler : public CefObject<RequestHandler, cef_request_handler_t> {
 public:
  RequestHandler(std::shared_ptr<Recorder> recorder,
                 std::function<bool(const std::wstring&)> cancel)
      : recorder_(std::move(recorder)), cancel_(std::move(cancel)) {
    Bind<&RequestHandler::OnBeforeBrowse>(cef()->on_before_browse);
  }

 private:
  int OnBeforeBrowse(cef_browser_t* browser, cef_frame_t* frame, cef_request_t* request,
                     int user_gesture, int is_redirect) {
    CefAdopt(browser).Reset();
    CefAdopt(frame).Reset();
    CefRef<cef_request_t> held = CefAdopt(request);
    const std::string url = UserFree(held->get_url(held.get()));
    const std::string method = UserFree(held->get_method(held.get()));
    recorder_->Add("before_browse:" + url + ":" + method + ":" + std::to_string(user_gesture) +
                   ":" + std::to_string(is_redirect));
    if (!cancel_) return 0;
    std::wstring wide(url.begin(), url.end());
    return cancel_(wide) ? 1 : 0;
  }

  std::shared_ptr<Recorder> recorder_;
  std::function<bool(const std::wstring&)> cancel_;
};

class ContextMenu : public CefObject<ContextMenu, cef_context_menu_handler_t> {
 public:
  ContextMenu(std::shared_ptr<Recorder> recorder, ClientOptions::Menu menu)
      : recorder_(std::move(recorder)), menu_(menu) {
    Bind<&ContextMenu::OnBeforeContextMenu>(cef()->on_before_context_menu);
    Bind<&ContextMenu::OnContextMenuCommand>(cef()->on_context_menu_command);
    Bind<&ContextMenu::OnContextMenuDismissed>(cef()->on_context_menu_dismissed);
  }

 private:
  void OnBeforeContextMenu(cef_browser_t* browser, cef_frame_t* frame,
                           cef_context_menu_params_t* params, cef_menu_model_t* model) {
    CefAdopt(browser).Reset();
    CefAdopt(frame).Reset();
    CefRef<cef_context_menu_params_t> p = CefAdopt(params);
    CefRef<cef_menu_model_t> m = CefAdopt(model);
    std::string items;
    for (int i = 0; i < m->get_count(m.get()); ++i) {
      items += std::to_string(m->get_command_id_at(m.get(), i)) + ",";
    }
    recorder_->Add("context_menu:" + std::to_string(p->get_type_flags(p.get())) + ":" +
                   UserFree(p->get_link_url(p.get())) + ":" + UserFree(p->get_page_url(p.get())) +
                   ":" + items);
    if (menu_ == ClientOptions::Menu::kEmpty || menu_ == ClientOptions::Menu::kOnlyReload) {
      m->clear(m.get());
    }
    if (menu_ == ClientOptions::Menu::kOnlyReload) {
      m->add_item(m.get(), MENU_ID_RELOAD, CefStringArg(L"Reload").get());
    }
  }
  int OnContextMenuCommand(cef_browser_t* browser, cef_frame_t* frame,
                           cef_context_menu_params_t* params, int command_id, cef_event_flags_t) {
    CefAdopt(browser).Reset();
    CefAdopt(frame).Reset();
    CefAdopt(params).Reset();
    recorder_->Add("menu_command:" + std::to_string(command_id));
    return 0;
  }
  void OnContextMenuDismissed(cef_browser_t* browser, cef_frame_t* frame) {
    CefAdopt(browser).Reset();
    CefAdopt(frame).Reset();
    recorder_->Add("menu_dismissed");
  }

  std::shared_ptr<Recorder> recorder_;
  ClientOptions::Menu menu_;
};

class Download : public CefObject<Download, cef_download_handler_t> {
 public:
  Download(std::shared_ptr<Recorder> recorder, std::wstring path, bool dialog)
      : recorder_(std::move(recorder)), path_(std::move(path)), dialog_(dialog) {
    Bind<&Download::OnBeforeDownload>(cef()->on_before_download);
    Bind<&Download::OnDownloadUpdated>(cef()->on_download_updated);
  }

 private:
  void OnBeforeDownload(cef_browser_t* browser, cef_download_item_t* item,
                        const cef_string_t* suggested, cef_before_download_callback_t* callback) {
    CefAdopt(browser).Reset();
    CefRef<cef_download_item_t> held = CefAdopt(item);
    CefRef<cef_before_download_callback_t> cont = CefAdopt(callback);
    recorder_->Add("before_download:" + Text(suggested) + ":" +
                   UserFree(held->get_mime_type(held.get())) + ":" +
                   std::to_string(held->get_total_bytes(held.get())) + ":" +
                   std::to_string(held->is_in_progress(held.get())) + ":" +
                   UserFree(held->get_url(held.get())));
    cont->cont(cont.get(), CefStringArg(path_), dialog_);
  }
  void OnDownloadUpdated(cef_browser_t* browser, cef_download_item_t* item,
                         cef_download_item_callback_t* callback) {
    CefAdopt(browser).Reset();
    CefAdopt(callback).Reset();
    CefRef<cef_download_item_t> held = CefAdopt(item);
    cef_download_item_t* i = held.get();
    recorder_->Add("download_updated:" + std::to_string(i->is_in_progress(i)) + ":" +
                   std::to_string(i->is_complete(i)) + ":" + std::to_string(i->is_canceled(i)) +
                   ":" + std::to_string(i->get_received_bytes(i)) + ":" +
                   UserFree(i->get_full_path(i)));
  }

  std::shared_ptr<Recorder> recorder_;
  std::wstring path_;
  bool dialog_;
};

class Client : public CefObject<Client, cef_client_t> {
 public:
  Client(std::shared_ptr<Recorder> recorder, ClientOptions options)
      : alive_(options.alive ? options.alive : std::make_shared<bool>()) {
    *alive_ = true;
    if (options.life_span) life_span_ = CefNew<LifeSpan>(recorder, options.do_close, options.popup);
    if (options.load) load_ = CefNew<Load>(recorder);
    if (options.display) display_ = CefNew<Display>(recorder);
    if (options.request) request_ = CefNew<RequestHandler>(recorder, options.cancel);
    if (options.menu != ClientOptions::Menu::kNone) menu_ = CefNew<ContextMenu>(recorder, options.menu);
    Bind<&Client::GetMenu>(cef()->get_context_menu_handler);
    if (options.download) {
      download_ = CefNew<Download>(recorder, options.download_path, options.download_dialog);
    }
    Bind<&Client::GetDownload>(cef()->get_download_handler);
    Bind<&Client::GetLifeSpan>(cef()->get_life_span_handler);
    Bind<&Client::GetLoad>(cef()->get_load_handler);
    Bind<&Client::GetDisplay>(cef()->get_display_handler);
    Bind<&Client::GetRequest>(cef()->get_request_handler);
  }
  ~Client() override { *alive_ = false; }

 private:
  cef_life_span_handler_t* GetLifeSpan() { return life_span_.Share(); }
  cef_load_handler_t* GetLoad() { return load_.Share(); }
  cef_display_handler_t* GetDisplay() { return display_.Share(); }
  cef_request_handler_t* GetRequest() { return request_.Share(); }
  cef_context_menu_handler_t* GetMenu() { return menu_.Share(); }
  cef_download_handler_t* GetDownload() { return download_.Share(); }

  std::shared_ptr<bool> alive_;
  CefRef<cef_life_span_handler_t> life_span_;
  CefRef<cef_load_handler_t> load_;
  CefRef<cef_display_handler_t> display_;
  CefRef<cef_request_handler_t> request_;
  CefRef<cef_context_menu_handler_t> menu_;
  CefRef<cef_download_handler_t> download_;
};

}  // namespace

void Recorder::Add(std::string event) {
  std::lock_guard lock(mutex_);
  events_.push_back(std::move(event));
}

std::vector<std::string> Recorder::Events() const {
  std::lock_guard lock(mutex_);
  return events_;
}

std::vector<std::string> Recorder::Since(size_t from) const {
  std::lock_guard lock(mutex_);
  if (from >= events_.size()) return {};
  return std::vector<std::string>(events_.begin() + static_cast<std::ptrdiff_t>(from),
                                  events_.end());
}

size_t Recorder::Count() const {
  std::lock_guard lock(mutex_);
  return events_.size();
}

bool Recorder::WaitFor(const std::string& event, size_t from, DWORD timeout_ms) const {
  const bool prefix = !event.empty() && event.back() == '*';
  const std::string wanted = prefix ? event.substr(0, event.size() - 1) : event;
  return PumpUntil(
      [&] {
        for (const std::string& seen : Since(from)) {
          if (prefix ? seen.starts_with(wanted) : seen == wanted) return true;
        }
        return false;
      },
      timeout_ms);
}

void Recorder::SetBrowser(CefRef<cef_browser_t> browser) {
  std::lock_guard lock(mutex_);
  browsers_.push_back(std::move(browser));
}

CefRef<cef_browser_t> Recorder::Browser() const {
  std::lock_guard lock(mutex_);
  return browsers_.empty() ? nullptr : browsers_.front();
}

std::vector<CefRef<cef_browser_t>> Recorder::Browsers() const {
  std::lock_guard lock(mutex_);
  return browsers_;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms) {
  const ULONGLONG end = GetTickCount64() + timeout_ms;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(DWORD milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

CefRef<cef_client_t> NewClient(std::shared_ptr<Recorder> recorder, ClientOptions options) {
  return CefNew<Client>(std::move(recorder), std::move(options));
}

}  // namespace standin_test
