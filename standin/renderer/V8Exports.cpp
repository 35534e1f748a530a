// Script values (cef_v8*) over the renderer's script contexts. Values are
// made in the current context; outside one (no page script, handler or
// context callback running) the creators answer null, as the engine does.
#include "standin/core/Trace.h"
#include "standin/exports/Exports.h"
#include "standin/renderer/Extensions.h"
#include "standin/script/DukText.h"
#include "standin/script/NativeFunctions.h"
#include "standin/script/RendererObjects.h"
#include "standin/script/ScriptTime.h"
#include "standin/script/ScriptValue.h"
#include "standin/strings/EngineStrings.h"

using namespace quirel::standin;
using namespace quirel::standin::script;

namespace {

// Makes a value in the current context with `push`, which pushes one value.
template <class Push>
cef_v8value_t* Create(Push push) {
  const std::shared_ptr<ScriptContext> context = CurrentContext();
  if (!context) return nullptr;
  push(*context);
  CefRef<cef_v8value_t> value = ValueAt(*context, -1);
  duk_pop(context->duk());
  return value.Detach();
}

}  // namespace

extern "C" {

int cef_register_extension(const cef_string_t* extension_name, const cef_string_t* javascript_code,
                           cef_v8handler_t* handler) {
  CefRef<cef_v8handler_t> owned = CefAdopt(handler);
  trace::Call("cef_register_extension")
      .Text("extension_name", extension_name)
      .Text("javascript_code", javascript_code)
      .Bool("handler", static_cast<bool>(owned));
  const int accepted =
      RegisterExtension(ToWString(extension_name), ToWString(javascript_code), std::move(owned));
  trace::Event("cef_register_extension.returned").Int("result", accepted);
  return accepted;
}

cef_v8context_t* cef_v8context_get_current_context() {
  trace::Call("cef_v8context_get_current_context");
  const std::shared_ptr<ScriptContext> context = CurrentContext();
  return context ? NewContextObject(context).Detach() : nullptr;
}

cef_v8context_t* cef_v8context_get_entered_context() {
  trace::Call("cef_v8context_get_entered_context");
  const std::shared_ptr<ScriptContext> context = EnteredContext();
  return context ? NewContextObject(context).Detach() : nullptr;
}

int cef_v8context_in_context() {
  trace::Call("cef_v8context_in_context");
  return CurrentContext() ? 1 : 0;
}

cef_v8value_t* cef_v8value_create_undefined() {
  trace::Call("cef_v8value_create_undefined");
  return Create([](ScriptContext& c) { duk_push_undefined(c.duk()); });
}

cef_v8value_t* cef_v8value_create_null() {
  trace::Call("cef_v8value_create_null");
  return Create([](ScriptContext& c) { duk_push_null(c.duk()); });
}

cef_v8value_t* cef_v8value_create_bool(int value) {
  trace::Call("cef_v8value_create_bool").Int("value", value);
  return Create([value](ScriptContext& c) { duk_push_boolean(c.duk(), value != 0); });
}

cef_v8value_t* cef_v8value_create_int(int32 value) {
  trace::Call("cef_v8value_create_int").Int("value", value);
  return Create([value](ScriptContext& c) { duk_push_int(c.duk(), value); });
}

cef_v8value_t* cef_v8value_create_uint(uint32 value) {
  trace::Call("cef_v8value_create_uint").Int("value", value);
  return Create([value](ScriptContext& c) { duk_push_uint(c.duk(), value); });
}

cef_v8value_t* cef_v8value_create_double(double value) {
  trace::Call("cef_v8value_create_double");
  return Create([value](ScriptContext& c) { duk_push_number(c.duk(), value); });
}

cef_v8value_t* cef_v8value_create_date(const cef_time_t* date) {
  trace::Call("cef_v8value_create_date");
  if (!date) return nullptr;
  const double time = ToTimeValue(*date);
  return Create([time](ScriptContext& c) {
    duk_context* duk = c.duk();
    duk_push_number(duk, time);
    auto make = [](duk_context* d, duk_idx_t base) -> duk_ret_t {
      duk_get_global_string(d, "Date");
      duk_dup(d, base);
      duk_new(d, 1);
      return 1;
    };
    if (Protected(duk, 1, 1, make) != DUK_EXEC_SUCCESS) {
      duk_pop(duk);
      duk_push_undefined(duk);
    }
  });
}

cef_v8value_t* cef_v8value_create_string(const cef_string_t* value) {
  trace::Call("cef_v8value_create_string").Text("value", value);
  const std::wstring text = ToWString(value);
  return Create([&text](ScriptContext& c) { PushText(c.duk(), text); });
}

cef_v8value_t* cef_v8value_create_object(cef_v8accessor_t* accessor,
                                         cef_v8interceptor_t* interceptor) {
  CefRef<cef_v8accessor_t> owned_accessor = CefAdopt(accessor);
  CefRef<cef_v8interceptor_t> owned_interceptor = CefAdopt(interceptor);
  trace::Call("cef_v8value_create_object")
      .Bool("accessor", static_cast<bool>(owned_accessor))
      .Bool("interceptor", static_cast<bool>(owned_interceptor));
  return Create([&](ScriptContext& c) {
    PushApiObject(c, std::move(owned_accessor), std::move(owned_interceptor));
  });
}

cef_v8value_t* cef_v8value_create_array(int length) {
  trace::Call("cef_v8value_create_array").Int("length", length);
  return Create([length](ScriptContext& c) {
    duk_context* duk = c.duk();
    duk_push_array(duk);
    // Holes, as `new Array(length)` has them.
    duk_push_uint(duk, static_cast<duk_uint_t>(length < 0 ? 0 : length));
    duk_put_prop_string(duk, -2, "length");
    c.AttachNative(-1);
  });
}

cef_v8value_t* cef_v8value_create_array_buffer(
    void*, size_t length, cef_v8array_buffer_release_callback_t* release_callback) {
  CefRef<cef_v8array_buffer_release_callback_t> released = CefAdopt(release_callback);
  trace::Call("cef_v8value_create_array_buffer").Int("length", static_cast<long long>(length));
  return nullptr;
}

cef_v8value_t* cef_v8value_create_function(const cef_string_t* name, cef_v8handler_t* handler) {
  CefRef<cef_v8handler_t> owned = CefAdopt(handler);
  trace::Call("cef_v8value_create_function").Text("name", name);
  if (!owned) return nullptr;
  const std::wstring text = ToWString(name);
  return Create([&](ScriptContext& c) { PushHandlerFunction(c, text, std::move(owned)); });
}

cef_v8stack_trace_t* cef_v8stack_trace_get_current(int frame_limit) {
  trace::Call("cef_v8stack_trace_get_current").Int("frame_limit", frame_limit);
  return nullptr;
}

}  // extern "C"
