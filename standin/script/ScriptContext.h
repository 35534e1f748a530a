// One page's script context: a Duktape heap of its own, the values the
// engine's value objects hold in it, and what the engine keeps beside the
// objects made through its API. Renderer thread only.
//
// Duktape reports script errors with longjmp: code that may raise one runs
// in Protected() and keeps no C++ object with a destructor alive across it.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "duktape.h"
#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"

namespace quirel::standin::script {

class PageHost;

// What the engine keeps beside an object made through its API.
struct NativeData {
  CefRef<cef_base_ref_counted_t> user_data;
  CefRef<cef_v8handler_t> handler;  // functions with a handler
  std::wstring function_name;
  CefRef<cef_v8accessor_t> accessor;
  CefRef<cef_v8interceptor_t> interceptor;
};

// A script error, as the engine describes exceptions.
struct ScriptError {
  std::wstring message;  // "Uncaught TypeError: ..."
  std::wstring resource;
  int line = 0;
  std::wstring source_line;
};

// Where a context lives: the page of a browser.
struct PageIdentity {
  int browser = 0;
  std::wstring url;
};

class ScriptContext : public std::enable_shared_from_this<ScriptContext> {
 public:
  static std::shared_ptr<ScriptContext> Create(PageIdentity page);
  ScriptContext(const ScriptContext&) = delete;
  ScriptContext& operator=(const ScriptContext&) = delete;
  // The heap goes with it; value objects that outlive it become invalid.
  ~ScriptContext();

  // The context whose heap `duk` is.
  static ScriptContext* Of(duk_context* duk);

  duk_context* duk() const { return duk_; }
  const PageIdentity& page() const { return page_; }
  long long number() const { return number_; }

  // Engine objects of the page (set by the renderer before scripts run).
  void SetPageObjects(CefRef<cef_browser_t> browser, CefRef<cef_frame_t> frame);
  const CefRef<cef_browser_t>& browser() const { return browser_; }
  const CefRef<cef_frame_t>& frame() const { return frame_; }

  // Keeps the value at `index` alive for a value object; pushes it back; lets it go.
  unsigned Hold(duk_idx_t index);
  void PushHeld(unsigned id);
  void Drop(unsigned id);

  // The native data of the object at `index`: null when it has none.
  std::shared_ptr<NativeData> NativeOf(duk_idx_t index);
  // Gives the object at `index` native data (it was made through the API).
  std::shared_ptr<NativeData> AttachNative(duk_idx_t index);
  // Lets the object `alias` (a proxy) share the native data of `owner` (its
  // target); both go when the owner is collected.
  void AliasNative(duk_idx_t alias, duk_idx_t owner);
  size_t native_count() const { return natives_.size(); }

  // Compiles and runs `code` in the global scope, `this` the global object.
  // Success leaves the result on the stack; failure leaves nothing.
  std::optional<ScriptError> Run(std::wstring_view code, std::wstring_view resource);
  // Calls the function below its receiver and `argc` arguments on top of the
  // stack (all removed); success leaves the result, failure nothing.
  // `held_error`, when given, receives the thrown value held (see Hold).
  std::optional<ScriptError> Call(duk_idx_t argc, unsigned* held_error = nullptr);

  // The description of the error value at `index` (a thrown value of any kind).
  ScriptError Describe(duk_idx_t index);

  // A thrown value to raise again once the running native function returns
  // (set_rethrow_exceptions).
  void SetRethrow(unsigned held_error) { rethrow_ = held_error; }
  std::optional<unsigned> TakeRethrow() { return std::exchange(rethrow_, std::nullopt); }
  // Native functions running in this context now.
  int native_depth = 0;
  // What the page's window, document and console report to (the renderer's page).
  PageHost* host = nullptr;

 private:
  explicit ScriptContext(PageIdentity page);

  static void Fatal(void* udata, const char* message);
  static duk_ret_t Finalize(duk_context* duk);

  PageIdentity page_;
  long long number_;
  duk_context* duk_ = nullptr;
  bool closing_ = false;
  unsigned next_id_ = 1;
  std::map<void*, std::shared_ptr<NativeData>> natives_;
  std::map<void*, void*> aliases_;  // owner -> alias
  CefRef<cef_browser_t> browser_;
  CefRef<cef_frame_t> frame_;
  std::optional<unsigned> rethrow_;
};

// The context scripts run in now, innermost first (the engine's current and
// entered contexts).
std::shared_ptr<ScriptContext> CurrentContext();
std::shared_ptr<ScriptContext> EnteredContext();
// cef_v8context_t.enter / exit.
void Enter(std::shared_ptr<ScriptContext> context);
bool Exit(const ScriptContext* context);

// Enters a context for as long as it lives.
class ContextScope {
 public:
  explicit ContextScope(std::shared_ptr<ScriptContext> context);
  ContextScope(const ContextScope&) = delete;
  ContextScope& operator=(const ContextScope&) = delete;
  ~ContextScope();

 private:
  const ScriptContext* context_;
};

// Runs `body(duk, base)` as a protected Duktape call over the top `nargs`
// values (the first at index `base`: a safe call sees the caller's whole
// stack), leaving `nrets` results; returns DUK_EXEC_SUCCESS or
// DUK_EXEC_ERROR (the error is then the first result). `body` must not hold
// C++ objects with destructors while it calls Duktape functions that may throw.
template <class Body>
duk_int_t Protected(duk_context* duk, duk_idx_t nargs, duk_idx_t nrets, Body& body) {
  struct Call {
    Body* body;
    duk_idx_t base;
  } call{&body, duk_get_top(duk) - nargs};
  return duk_safe_call(
      duk,
      [](duk_context* d, void* udata) -> duk_ret_t {
        Call* c = static_cast<Call*>(udata);
        return (*c->body)(d, c->base);
      },
      &call, nargs, nrets);
}

}  // namespace quirel::standin::script
