#include "standin/script/ScriptContext.h"

#include <algorithm>
#include <cstdlib>

#include "standin/core/Trace.h"
#include "standin/script/DukText.h"

namespace quirel::standin::script {
namespace {

constexpr const char kContextKey[] = "context";
constexpr const char kValuesKey[] = "values";

std::vector<std::shared_ptr<ScriptContext>>& EnteredStack() {
  static std::vector<std::shared_ptr<ScriptContext>> stack;  // renderer thread only
  return stack;
}

// Pushes the heap stash's object under `key`.
void PushStashed(duk_context* duk, const char* key) {
  duk_push_heap_stash(duk);
  duk_get_prop_string(duk, -1, key);
  duk_remove(duk, -2);
}

}  // namespace

std::shared_ptr<ScriptContext> ScriptContext::Create(PageIdentity page) {
  return std::shared_ptr<ScriptContext>(new ScriptContext(std::move(page)));
}

ScriptContext::ScriptContext(PageIdentity page)
    : page_(std::move(page)), number_(trace::NextObjectId()) {
  duk_ = duk_create_heap(nullptr, nullptr, nullptr, this, &Fatal);
  if (!duk_) std::abort();
  duk_push_heap_stash(duk_);
  duk_push_pointer(duk_, this);
  duk_put_prop_string(duk_, -2, kContextKey);
  duk_push_object(duk_);
  duk_put_prop_string(duk_, -2, kValuesKey);
  duk_pop(duk_);
}

ScriptContext::~ScriptContext() {
  closing_ = true;
  duk_destroy_heap(duk_);
  // What the objects kept goes only now: releasing it may call the program,
  // which finds this context invalid.
  std::map<void*, std::shared_ptr<NativeData>> natives;
  natives.swap(natives_);
  natives.clear();
  aliases_.clear();
  frame_.Reset();
  browser_.Reset();
}

void ScriptContext::Fatal(void*, const char* message) {
  trace::Event("script.fatal").Text("message", message ? FromDuk(message) : L"");
  std::abort();
}

ScriptContext* ScriptContext::Of(duk_context* duk) {
  PushStashed(duk, kContextKey);
  auto* context = static_cast<ScriptContext*>(duk_get_pointer(duk, -1));
  duk_pop(duk);
  return context;
}

void ScriptContext::SetPageObjects(CefRef<cef_browser_t> browser, CefRef<cef_frame_t> frame) {
  browser_ = std::move(browser);
  frame_ = std::move(frame);
}

unsigned ScriptContext::Hold(duk_idx_t index) {
  index = duk_normalize_index(duk_, index);
  const unsigned id = next_id_++;
  PushStashed(duk_, kValuesKey);
  duk_dup(duk_, index);
  duk_put_prop_index(duk_, -2, id);
  duk_pop(duk_);
  return id;
}

void ScriptContext::PushHeld(unsigned id) {
  PushStashed(duk_, kValuesKey);
  duk_get_prop_index(duk_, -1, id);
  duk_remove(duk_, -2);
}

void ScriptContext::Drop(unsigned id) {
  if (closing_) return;
  PushStashed(duk_, kValuesKey);
  duk_del_prop_index(duk_, -1, id);
  duk_pop(duk_);
}

std::shared_ptr<NativeData> ScriptContext::NativeOf(duk_idx_t index) {
  void* object = duk_get_heapptr(duk_, index);
  if (!object || !duk_is_object(duk_, index)) return nullptr;
  const auto found = natives_.find(object);
  return found == natives_.end() ? nullptr : found->second;
}

std::shared_ptr<NativeData> ScriptContext::AttachNative(duk_idx_t index) {
  index = duk_normalize_index(duk_, index);
  if (std::shared_ptr<NativeData> existing = NativeOf(index)) return existing;
  auto native = std::make_shared<NativeData>();
  natives_[duk_get_heapptr(duk_, index)] = native;
  duk_push_c_function(duk_, &Finalize, 2);
  duk_set_finalizer(duk_, index);
  return native;
}

void ScriptContext::AliasNative(duk_idx_t alias, duk_idx_t owner) {
  std::shared_ptr<NativeData> native = NativeOf(owner);
  if (!native) return;
  void* alias_object = duk_get_heapptr(duk_, alias);
  natives_[alias_object] = std::move(native);
  aliases_[duk_get_heapptr(duk_, owner)] = alias_object;
}

duk_ret_t ScriptContext::Finalize(duk_context* duk) {
  ScriptContext* context = Of(duk);
  if (!context || context->closing_) return 0;
  void* object = duk_get_heapptr(duk, 0);
  std::vector<std::shared_ptr<NativeData>> released;  // after the maps are consistent again
  auto forget = [&](void* key) {
    if (auto found = context->natives_.find(key); found != context->natives_.end()) {
      released.push_back(std::move(found->second));
      context->natives_.erase(found);
    }
  };
  forget(object);
  if (auto alias = context->aliases_.find(object); alias != context->aliases_.end()) {
    forget(alias->second);
    context->aliases_.erase(alias);
  }
  return 0;
}

std::optional<ScriptError> ScriptContext::Run(std::wstring_view code, std::wstring_view resource) {
  const std::string source = ToDuk(code);
  PushText(duk_, resource);
  if (duk_pcompile_lstring_filename(duk_, 0, source.data(), source.size()) != 0) {
    ScriptError error = Describe(-1);
    duk_pop(duk_);
    return error;
  }
  duk_push_global_object(duk_);
  return Call(0);
}

std::optional<ScriptError> ScriptContext::Call(duk_idx_t argc, unsigned* held_error) {
  if (duk_pcall_method(duk_, argc) != DUK_EXEC_SUCCESS) {
    ScriptError error = Describe(-1);
    if (held_error) *held_error = Hold(-1);
    duk_pop(duk_);
    return error;
  }
  return std::nullopt;
}

ScriptError ScriptContext::Describe(duk_idx_t index) {
  index = duk_normalize_index(duk_, index);
  duk_dup(duk_, index);
  // [error] -> [text, file, line]
  auto details = [](duk_context* d, duk_idx_t base) -> duk_ret_t {
    duk_dup(d, base);
    duk_safe_to_string(d, -1);
    if (duk_is_object(d, base)) {
      duk_get_prop_string(d, base, "fileName");
      duk_get_prop_string(d, base, "lineNumber");
    } else {
      duk_push_undefined(d);
      duk_push_undefined(d);
    }
    return 3;
  };
  ScriptError error;
  if (Protected(duk_, 1, 3, details) == DUK_EXEC_SUCCESS) {
    error.message = L"Uncaught " + TextAt(duk_, -3);
    error.resource = TextAt(duk_, -2);
    error.line = duk_is_number(duk_, -1) ? static_cast<int>(duk_get_number(duk_, -1)) : 0;
    duk_pop_3(duk_);
  } else {
    error.message = L"Uncaught exception";
    duk_pop_3(duk_);
  }
  return error;
}

std::shared_ptr<ScriptContext> CurrentContext() {
  auto& stack = EnteredStack();
  return stack.empty() ? nullptr : stack.back();
}

std::shared_ptr<ScriptContext> EnteredContext() {
  // The outermost context of the innermost run: with one script engine per
  // page and no cross-page calls, that is the current one.
  return CurrentContext();
}

void Enter(std::shared_ptr<ScriptContext> context) { EnteredStack().push_back(std::move(context)); }

bool Exit(const ScriptContext* context) {
  auto& stack = EnteredStack();
  if (stack.empty() || stack.back().get() != context) return false;
  std::shared_ptr<ScriptContext> leaving = std::move(stack.back());
  stack.pop_back();
  return true;
}

ContextScope::ContextScope(std::shared_ptr<ScriptContext> context) : context_(context.get()) {
  Enter(std::move(context));
}

ContextScope::~ContextScope() { Exit(context_); }

}  // namespace quirel::standin::script
