// The global request context, and the values and requests the program makes
// for it and for its browsers.
#include "engine/capi/CefObject.h"
#include "standin/browser/Request.h"
#include "standin/browser/RequestContext.h"
#include "standin/browser/Values.h"
#include "standin/core/Trace.h"
#include "standin/exports/Exports.h"

using namespace quirel::standin;

extern "C" {

cef_request_context_t* cef_request_context_get_global_context() {
  trace::Call("cef_request_context_get_global_context");
  return GlobalRequestContext().Detach();
}

cef_value_t* cef_value_create() {
  trace::Call("cef_value_create");
  return NewValue(ValueData{}).Detach();
}

cef_dictionary_value_t* cef_dictionary_value_create() {
  trace::Call("cef_dictionary_value_create");
  return NewDictionary(nullptr, false, false).Detach();
}

cef_request_t* cef_request_create() {
  trace::Call("cef_request_create");
  return CefNew<Request>(L"", L"GET", TT_EXPLICIT, false).Detach();
}

}  // extern "C"
