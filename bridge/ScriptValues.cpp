#include "bridge/ScriptValues.h"

#include "common/Errors.h"
#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/CefString.h"

namespace quirel::script {
namespace {

TScriptValue Created(cef_v8value_t* value) {
  if (!value) throw Exception(L"The engine could not create a script value");
  return CefAdopt(value);
}

}  // namespace

TScriptValue Undefined() { return Created(g_cef.cef_v8value_create_undefined()); }
TScriptValue Null() { return Created(g_cef.cef_v8value_create_null()); }
TScriptValue Bool(bool value) { return Created(g_cef.cef_v8value_create_bool(value ? 1 : 0)); }
TScriptValue Int(int32_t value) { return Created(g_cef.cef_v8value_create_int(value)); }
TScriptValue UInt(uint32_t value) { return Created(g_cef.cef_v8value_create_uint(value)); }
TScriptValue Double(double value) { return Created(g_cef.cef_v8value_create_double(value)); }
TScriptValue Date(const cef_time_t& utc) { return Created(g_cef.cef_v8value_create_date(&utc)); }

TScriptValue String(const std::wstring& text) {
  CefStringArg arg(text);
  return Created(g_cef.cef_v8value_create_string(arg));
}

TScriptValue Object() { return Created(g_cef.cef_v8value_create_object(nullptr, nullptr)); }

TScriptValue Array(int length) { return Created(g_cef.cef_v8value_create_array(length)); }

TScriptValue Function(const std::wstring& name, cef_v8handler_t* handler) {
  CefAddRef(handler);  // the argument carries a reference for the engine
  CefStringArg arg(name);
  return Created(g_cef.cef_v8value_create_function(arg, handler));
}

std::wstring StringValue(cef_v8value_t* value) {
  if (!value->is_string(value)) return L"";
  return CefUserFreeString(value->get_string_value(value)).str();
}

TScriptValue Get(cef_v8value_t* object, const std::wstring& key) {
  CefStringArg arg(key);
  return CefAdopt(object->get_value_bykey(object, arg));
}

TScriptValue Get(cef_v8value_t* array, int index) {
  return CefAdopt(array->get_value_byindex(array, index));
}

bool Set(cef_v8value_t* object, const std::wstring& key, const TScriptValue& value) {
  CefStringArg arg(key);
  return object->set_value_bykey(object, arg, value.Share(), V8_PROPERTY_ATTRIBUTE_NONE) != 0;
}

bool Set(cef_v8value_t* array, int index, const TScriptValue& value) {
  return array->set_value_byindex(array, index, value.Share()) != 0;
}

TScriptValue Call(cef_v8value_t* function, cef_v8value_t* self,
                  const std::vector<TScriptValue>& args) {
  std::vector<cef_v8value_t*> raw;
  raw.reserve(args.size());
  for (const TScriptValue& arg : args) raw.push_back(arg.Share());
  if (self) CefAddRef(self);
  return CefAdopt(function->execute_function(function, self, raw.size(), raw.data()));
}

bool SetWrapperData(cef_v8value_t* object, const std::vector<int32_t>& data) {
  TScriptValue array = Array(static_cast<int>(data.size()));
  for (std::size_t i = 0; i < data.size(); ++i)
    if (!Set(array.get(), static_cast<int>(i), Int(data[i]))) return false;
  return object->set_user_data(object, CefBaseOf(array.Share())) != 0;
}

std::optional<std::vector<int32_t>> WrapperData(cef_v8value_t* object) {
  CefRef<cef_base_ref_counted_t> userData = CefAdopt(object->get_user_data(object));
  // Only our wrapper data is a script value; anything else someone attached is not ours.
  if (!userData || userData->size != sizeof(cef_v8value_t)) return std::nullopt;
  cef_v8value_t* array = reinterpret_cast<cef_v8value_t*>(userData.get());
  if (!array->is_array(array)) return std::nullopt;
  std::vector<int32_t> data;
  const int length = array->get_array_length(array);
  for (int i = 0; i < length; ++i) {
    TScriptValue element = Get(array, i);
    if (!element || !element->is_int(element.get())) return std::nullopt;
    data.push_back(element->get_int_value(element.get()));
  }
  return data;
}

}  // namespace quirel::script
