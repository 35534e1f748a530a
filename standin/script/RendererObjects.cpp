#include "standin/script/RendererObjects.h"

#include <mutex>
#include <set>

#include "engine/capi/CefObject.h"
#include "standin/core/NoDestructor.h"
#include "standin/script/ScriptException.h"
#include "standin/script/ScriptValue.h"
#include "standin/strings/EngineStrings.h"
#include "standin/tasks/TaskRunner.h"

namespace quirel::standin::script {
namespace {

class ContextObject;

// Context objects alive, so that a context handed back can be recognised.
std::set<cef_v8context_t*>& ContextObjects() {
  static NoDestructor<std::set<cef_v8context_t*>> objects;  // renderer thread only
  return objects.get();
}

class ContextObject : public CefObject<ContextObject, cef_v8context_t> {
 public:
  explicit ContextObject(const std::shared_ptr<ScriptContext>& context) : context_(context) {
    ContextObjects().insert(cef());
    Bind<&ContextObject::GetTaskRunner>(cef()->get_task_runner);
    Bind<&ContextObject::IsValid>(cef()->is_valid);
    Bind<&ContextObject::GetBrowser>(cef()->get_browser);
    Bind<&ContextObject::GetFrame>(cef()->get_frame);
    Bind<&ContextObject::GetGlobal>(cef()->get_global);
    Bind<&ContextObject::EnterContext>(cef()->enter);
    Bind<&ContextObject::ExitContext>(cef()->exit);
    Bind<&ContextObject::IsSame>(cef()->is_same);
    Bind<&ContextObject::Eval>(cef()->eval);
  }
  ~ContextObject() override { ContextObjects().erase(cef()); }

  std::shared_ptr<ScriptContext> context() const { return context_.lock(); }

 private:
  cef_task_runner_t* GetTaskRunner() { return NewTaskRunner(TID_RENDERER); }
  int IsValid() { return context_.expired() ? 0 : 1; }
  cef_browser_t* GetBrowser() {
    std::shared_ptr<ScriptContext> c = context();
    return c ? c->browser().Share() : nullptr;
  }
  cef_frame_t* GetFrame() {
    std::shared_ptr<ScriptContext> c = context();
    return c ? c->frame().Share() : nullptr;
  }
  cef_v8value_t* GetGlobal() {
    std::shared_ptr<ScriptContext> c = context();
    if (!c) return nullptr;
    duk_push_global_object(c->duk());
    CefRef<cef_v8value_t> global = ValueAt(*c, -1);
    duk_pop(c->duk());
    return global.Detach();
  }
  int EnterContext() {
    std::shared_ptr<ScriptContext> c = context();
    if (!c) return 0;
    Enter(std::move(c));
    return 1;
  }
  int ExitContext() {
    std::shared_ptr<ScriptContext> c = context();
    return c && Exit(c.get()) ? 1 : 0;
  }
  int IsSame(cef_v8context_t* that) {
    CefRef<cef_v8context_t> other = CefAdopt(that);
    if (!other || !ContextObjects().count(other.get())) return 0;
    std::shared_ptr<ScriptContext> mine = context();
    return mine && mine == FromSelf(other.get())->context() ? 1 : 0;
  }
  int Eval(const cef_string_t* code, const cef_string_t* script_url, int, cef_v8value_t** retval,
           cef_v8exception_t** exception) {
    // What the slots hold on entry is ours to release, answered or not.
    const CefRef<cef_v8value_t> entry_retval = CefTakeSlot(retval);
    const CefRef<cef_v8exception_t> entry_exception = CefTakeSlot(exception);
    std::shared_ptr<ScriptContext> c = context();
    if (!c || !retval || !exception) return 0;
    ContextScope scope(c);
    const std::wstring resource = ToWString(script_url);
    if (std::optional<ScriptError> error = c->Run(ToWString(code), resource)) {
      CefGiveSlot(exception, entry_exception, NewException(*error));
      return 0;
    }
    CefGiveSlot(retval, entry_retval, ValueAt(*c, -1));
    duk_pop(c->duk());
    return 1;
  }

  std::weak_ptr<ScriptContext> context_;
};

class BrowserObject : public CefObject<BrowserObject, cef_browser_t> {
 public:
  explicit BrowserObject(std::shared_ptr<BrowserState> state) : state_(std::move(state)) {
    using T = BrowserObject;
    Bind<&T::GetHost>(cef()->get_host);
    Bind<&T::No>(cef()->can_go_back);
    Bind<&T::No>(cef()->can_go_forward);
    Bind<&T::No>(cef()->is_loading);
    Bind<&T::No>(cef()->is_popup);
    Bind<&T::Yes>(cef()->has_document);
    Bind<&T::GetIdentifier>(cef()->get_identifier);
    Bind<&T::IsSame>(cef()->is_same);
    Bind<&T::GetMainFrame>(cef()->get_main_frame);
    Bind<&T::GetMainFrame>(cef()->get_focused_frame);
    Bind<&T::GetFrameCount>(cef()->get_frame_count);
  }

 private:
  // Browser hosts live in the browser process only.
  cef_browser_host_t* GetHost() { return nullptr; }
  int No() { return 0; }
  int Yes() { return 1; }
  int GetIdentifier() { return state_->id; }
  int IsSame(cef_browser_t* that) {
    CefRef<cef_browser_t> other = CefAdopt(that);
    return other && other->get_identifier && other->get_identifier(other.get()) == state_->id;
  }
  cef_frame_t* GetMainFrame() {
    std::shared_ptr<ScriptContext> page = state_->page.lock();
    return page ? page->frame().Share() : nullptr;
  }
  size_t GetFrameCount() { return state_->page.expired() ? 0 : 1; }

  std::shared_ptr<BrowserState> state_;
};

class FrameObject : public CefObject<FrameObject, cef_frame_t> {
 public:
  FrameObject(const std::shared_ptr<BrowserState>& state,
              const std::shared_ptr<ScriptContext>& page)
      : state_(state), page_(page), url_(page->page().url) {
    using T = FrameObject;
    Bind<&T::IsValid>(cef()->is_valid);
    Bind<&T::Yes>(cef()->is_main);
    Bind<&T::Yes>(cef()->is_focused);
    Bind<&T::GetName>(cef()->get_name);
    Bind<&T::GetIdentifier>(cef()->get_identifier);
    Bind<&T::GetParent>(cef()->get_parent);
    Bind<&T::GetUrl>(cef()->get_url);
    Bind<&T::GetBrowser>(cef()->get_browser);
    Bind<&T::GetV8Context>(cef()->get_v8context);
  }

 private:
  int IsValid() { return page_.expired() ? 0 : 1; }
  int Yes() { return 1; }
  cef_string_userfree_t GetName() { return NewUserFreeString(L""); }
  // The main frame's identifier stays with its browser.
  int64 GetIdentifier() { return state_->id; }
  cef_frame_t* GetParent() { return nullptr; }
  cef_string_userfree_t GetUrl() { return NewUserFreeString(url_); }
  cef_browser_t* GetBrowser() { return NewBrowserObject(state_).Detach(); }
  cef_v8context_t* GetV8Context() {
    std::shared_ptr<ScriptContext> page = page_.lock();
    return page ? NewContextObject(page).Detach() : nullptr;
  }

  std::shared_ptr<BrowserState> state_;
  std::weak_ptr<ScriptContext> page_;
  std::wstring url_;
};

}  // namespace

CefRef<cef_v8context_t> NewContextObject(const std::shared_ptr<ScriptContext>& context) {
  return CefNew<ContextObject>(context);
}

CefRef<cef_browser_t> NewBrowserObject(std::shared_ptr<BrowserState> state) {
  return CefNew<BrowserObject>(std::move(state));
}

CefRef<cef_frame_t> NewFrameObject(const std::shared_ptr<BrowserState>& state,
                                   const std::shared_ptr<ScriptContext>& page) {
  return CefNew<FrameObject>(state, page);
}

}  // namespace quirel::standin::script
