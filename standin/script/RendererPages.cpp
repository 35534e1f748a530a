#include "standin/script/RendererPages.h"

#include "standin/core/Provides.h"
#include "standin/core/Trace.h"
#include "standin/renderer/Extensions.h"
#include "standin/script/ExtensionCode.h"
#include "standin/script/PageEnvironment.h"
#include "standin/script/RendererObjects.h"
#include "standin/script/ScriptContext.h"
#include "standin/script/ScriptValue.h"

namespace quirel::standin::script {

class RendererPages::Page : public PageHost, public std::enable_shared_from_this<Page> {
 public:
  Page(int browser, std::shared_ptr<ScriptContext> context, RendererPages::Send send,
       std::shared_ptr<MessageLoop> loop)
      : browser_(browser), context_(std::move(context)), send_(std::move(send)),
        loop_(std::move(loop)) {}

  const std::shared_ptr<ScriptContext>& context() const { return context_; }
  void SetTimerFunction(unsigned fire) { fire_ = fire; }

  // A script error never ends the page: it is reported and the next script runs.
  void Report(const ScriptError& error) {
    trace::Event("script.error")
        .Int("browser", browser_)
        .Text("message", error.message)
        .Text("resource", error.resource)
        .Int("line", error.line);
    Emit(Message(RendererMessage::Type::kLog, [&](RendererMessage& m) {
      m.level = L"error";
      m.text = error.message;
    }));
  }

  void Done() {
    trace::Event("renderer.page_done")
        .Int("browser", browser_)
        .Text("url", context_->page().url)
        .Int("live_values", LiveValueObjects())
        .Int("native_objects", static_cast<long long>(context_->native_count()));
    Emit(Message(RendererMessage::Type::kDone, [](RendererMessage&) {}));
  }

  void TitleChanged(const std::wstring& title) override {
    trace::Event("page.title").Int("browser", browser_).Text("title", title);
    Emit(Message(RendererMessage::Type::kTitle, [&](RendererMessage& m) { m.title = title; }));
  }
  void Open(const std::wstring& url, const std::wstring& name,
            cef_window_open_disposition_t disposition,
            const cef_popup_features_t& features) override {
    trace::Event("page.open")
        .Int("browser", browser_)
        .Text("url", url)
        .Text("name", name)
        .Int("disposition", disposition);
    Emit(Message(RendererMessage::Type::kOpen, [&](RendererMessage& m) {
      m.url = url;
      m.name = name;
      m.disposition = disposition;
      m.features = features;
    }));
  }
  void Close() override {
    trace::Event("page.close").Int("browser", browser_);
    Emit(Message(RendererMessage::Type::kClose, [](RendererMessage&) {}));
  }
  void Navigate(const std::wstring& url) override {
    trace::Event("page.navigate").Int("browser", browser_).Text("url", url);
    Emit(Message(RendererMessage::Type::kNavigate, [&](RendererMessage& m) { m.url = url; }));
  }
  void Log(const std::wstring& level, const std::wstring& text) override {
    trace::Event("page.console").Int("browser", browser_).Text("level", level).Text("text", text);
    Emit(Message(RendererMessage::Type::kLog, [&](RendererMessage& m) {
      m.level = level;
      m.text = text;
    }));
  }
  void StartTimer(unsigned id, long long delay_ms) override {
    std::weak_ptr<Page> page = weak_from_this();
    loop_->Post(
        [page, id] {
          if (std::shared_ptr<Page> alive = page.lock()) alive->RunTimer(id);
        },
        delay_ms);
  }

 private:
  template <class Fill>
  RendererMessage Message(RendererMessage::Type type, Fill fill) const {
    RendererMessage message;
    message.type = type;
    message.browser = browser_;
    fill(message);
    return message;
  }
  void Emit(const RendererMessage& message) { send_(message); }

  void RunTimer(unsigned id) {
    ContextScope scope(context_);
    if (std::optional<ScriptError> error = FireTimer(*context_, fire_, id)) Report(*error);
  }

  const int browser_;
  std::shared_ptr<ScriptContext> context_;
  RendererPages::Send send_;
  std::shared_ptr<MessageLoop> loop_;
  unsigned fire_ = 0;
};

RendererPages::RendererPages(CefRef<cef_render_process_handler_t> handler, Send send,
                             std::shared_ptr<MessageLoop> loop)
    : handler_(std::move(handler)), send_(std::move(send)), loop_(std::move(loop)) {}

RendererPages::~RendererPages() {
  while (!pages_.empty()) Release(pages_.begin()->first);
}

void RendererPages::Release(int browser) {
  const auto found = pages_.find(browser);
  if (found == pages_.end()) return;
  std::shared_ptr<Page> page = std::move(found->second);
  pages_.erase(found);
  const std::shared_ptr<ScriptContext>& context = page->context();
  if (Provides(handler_.get(), &cef_render_process_handler_t::on_context_released)) {
    ContextScope scope(context);
    trace::Callback("render_process_handler.on_context_released")
        .Int("browser", browser)
        .Text("url", context->page().url);
    handler_->on_context_released(handler_.get(), context->browser().Share(),
                                  context->frame().Share(), NewContextObject(context).Detach());
  }
}

void RendererPages::Load(const PageMessage& message) {
  Release(message.browser);
  std::shared_ptr<BrowserState>& state = browsers_[message.browser];
  if (!state) {
    state = std::make_shared<BrowserState>();
    state->id = message.browser;
  }
  std::shared_ptr<ScriptContext> context =
      ScriptContext::Create(PageIdentity{message.browser, message.url});
  context->SetPageObjects(NewBrowserObject(state), NewFrameObject(state, context));
  state->page = context;
  auto page = std::make_shared<Page>(message.browser, context, send_, loop_);
  pages_[message.browser] = page;
  trace::Event("renderer.page").Int("browser", message.browser).Text("url", message.url)
      .Int("scripts", static_cast<long long>(message.scripts.size()));

  ContextScope scope(context);
  page->SetTimerFunction(InstallPageEnvironment(*context, *page, message.title));

  const std::vector<Extension> extensions = RegisteredExtensions();
  for (size_t i = 0; i < extensions.size(); ++i) {
    const std::wstring code = RewriteNativeDeclarations(extensions[i].code, static_cast<int>(i));
    if (std::optional<ScriptError> error = context->Run(code, extensions[i].name)) page->Report(*error);
    else duk_pop(context->duk());
  }

  if (Provides(handler_.get(), &cef_render_process_handler_t::on_context_created)) {
    trace::Callback("render_process_handler.on_context_created")
        .Int("browser", message.browser)
        .Text("url", message.url);
    handler_->on_context_created(handler_.get(), context->browser().Share(),
                                 context->frame().Share(), NewContextObject(context).Detach());
  }

  for (const std::wstring& script : message.scripts) {
    if (std::optional<ScriptError> error = context->Run(script, message.url)) page->Report(*error);
    else duk_pop(context->duk());
  }
  page->Done();
}

}  // namespace quirel::standin::script
