// Script values (cef_v8*): only extension registration so far. There is no
// script engine in the renderer yet, so there is never a current context and
// values cannot be made: the creators answer null, as the engine does outside
// a context.
#include "standin/core/Trace.h"
#include "standin/exports/Exports.h"
#include "standin/renderer/Extensions.h"
#include "standin/strings/EngineStrings.h"

using namespace quirel::standin;

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
  return nullptr;
}

cef_v8context_t* cef_v8context_get_entered_context() {
  trace::Call("cef_v8context_get_entered_context");
  return nullptr;
}

int cef_v8context_in_context() {
  trace::Call("cef_v8context_in_context");
  return 0;
}

cef_v8value_t* cef_v8value_create_undefined() {
  trace::Call("cef_v8value_create_undefined");
  return nullptr;
}

cef_v8value_t* cef_v8value_create_null() {
  trace::Call("cef_v8value_create_null");
  return nullptr;
}

cef_v8value_t* cef_v8value_create_bool(int value) {
  trace::Call("cef_v8value_create_bool").Int("value", value);
  return nullptr;
}

cef_v8value_t* cef_v8value_create_int(int32 value) {
  trace::Call("cef_v8value_create_int").Int("value", value);
  return nullptr;
}

cef_v8value_t* cef_v8value_create_uint(uint32 value) {
  trace::Call("cef_v8value_create_uint").Int("value", value);
  return nullptr;
}

cef_v8value_t* cef_v8value_create_double(double) {
  trace::Call("cef_v8value_create_double");
  return nullptr;
}

cef_v8value_t* cef_v8value_create_date(const cef_time_t*) {
  trace::Call("cef_v8value_create_date");
  return nullptr;
}

cef_v8value_t* cef_v8value_create_string(const cef_string_t* value) {
  trace::Call("cef_v8value_create_string").Text("value", value);
  return nullptr;
}

cef_v8value_t* cef_v8value_create_object(cef_v8accessor_t* accessor,
                                         cef_v8interceptor_t* interceptor) {
  CefRef<cef_v8accessor_t> released_accessor = CefAdopt(accessor);
  CefRef<cef_v8interceptor_t> released_interceptor = CefAdopt(interceptor);
  trace::Call("cef_v8value_create_object");
  return nullptr;
}

cef_v8value_t* cef_v8value_create_array(int length) {
  trace::Call("cef_v8value_create_array").Int("length", length);
  return nullptr;
}

cef_v8value_t* cef_v8value_create_array_buffer(
    void*, size_t length, cef_v8array_buffer_release_callback_t* release_callback) {
  CefRef<cef_v8array_buffer_release_callback_t> released = CefAdopt(release_callback);
  trace::Call("cef_v8value_create_array_buffer").Int("length", static_cast<long long>(length));
  return nullptr;
}

cef_v8value_t* cef_v8value_create_function(const cef_string_t* name, cef_v8handler_t* handler) {
  CefRef<cef_v8handler_t> released = CefAdopt(handler);
  trace::Call("cef_v8value_create_function").Text("name", name);
  return nullptr;
}

cef_v8stack_trace_t* cef_v8stack_trace_get_current(int frame_limit) {
  trace::Call("cef_v8stack_trace_get_current").Int("frame_limit", frame_limit);
  return nullptr;
}

}  // extern "C"
