// The few script value operations the page bridge needs, with the engine's reference rules
// applied once: every call goes through the engine's entry-point table (g_cef) and every
// value we get back is owned by a CefRef.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"

namespace quirel::script {

using TScriptValue = CefRef<cef_v8value_t>;

TScriptValue Undefined();
TScriptValue Null();
TScriptValue Bool(bool value);
TScriptValue Int(int32_t value);
TScriptValue UInt(uint32_t value);
TScriptValue Double(double value);
TScriptValue Date(const cef_time_t& utc);
TScriptValue String(const std::wstring& text);
TScriptValue Object();  // no accessor, no interceptor
TScriptValue Array(int length);
TScriptValue Function(const std::wstring& name, cef_v8handler_t* handler);

// Text of a string value; "" for any other value (the engine gives text for strings only).
std::wstring StringValue(cef_v8value_t* value);

TScriptValue Get(cef_v8value_t* object, const std::wstring& key);
TScriptValue Get(cef_v8value_t* array, int index);
bool Set(cef_v8value_t* object, const std::wstring& key, const TScriptValue& value);
bool Set(cef_v8value_t* array, int index, const TScriptValue& value);

// A call of a function value with `self` as receiver; null when it threw.
TScriptValue Call(cef_v8value_t* function, cef_v8value_t* self, const std::vector<TScriptValue>& args);

// Wrapper data: a script array of 32-bit integers kept as the object's user data.
bool SetWrapperData(cef_v8value_t* object, const std::vector<int32_t>& data);
// The integers of the object's wrapper data; nullopt when it has none (or not ours).
std::optional<std::vector<int32_t>> WrapperData(cef_v8value_t* object);

}  // namespace quirel::script
