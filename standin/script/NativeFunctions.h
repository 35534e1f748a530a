// Script functions and properties that call the program: functions with a
// cef_v8handler_t, accessor properties with a cef_v8accessor_t, objects with
// a cef_v8interceptor_t.
#pragma once

#include <string>

#include "duktape.h"
#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"
#include "standin/script/ScriptContext.h"

namespace quirel::standin::script {

// Pushes a new function that calls handler->execute(name, this, arguments).
void PushHandlerFunction(ScriptContext& context, const std::wstring& name,
                         CefRef<cef_v8handler_t> handler);

// Pushes a new object made through the API: with an interceptor, every named
// and indexed access asks it first.
void PushApiObject(ScriptContext& context, CefRef<cef_v8accessor_t> accessor,
                   CefRef<cef_v8interceptor_t> interceptor);

// Defines `key` on the object at `index` as a property served by the object's
// accessor. False when the object has no accessor.
bool DefineAccessorProperty(ScriptContext& context, duk_idx_t index, const std::wstring& key,
                            cef_v8_propertyattribute_t attribute);

}  // namespace quirel::standin::script
