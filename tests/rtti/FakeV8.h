// An in-test stand-in for the engine's script values, reached through the program's
// entry-point table: InstallFakeV8 points the V8 create functions (and the string helpers
// they need) at it. Values behave as the engine documents them: is_double for every number,
// get_string_value only for strings, user data on created objects, accessors through
// __defineGetter__/__defineSetter__, and handler calls with the engine's reference rules.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/capi/CefObject.h"
#include "engine/capi/cef_capi.h"

namespace fakev8 {

using Value = CefRef<cef_v8value_t>;

// Installs the fake into g_cef; the previous table comes back when it goes.
class Installation {
 public:
  Installation();
  ~Installation();
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;
};

// The address of the page whose script calls in; empty for none (no current context). Each
// installation starts on the web application's home page.
void SetPageUrl(const std::wstring& url);

// Fake values alive right now (a leak shows as a count that does not come back).
int LiveValues();

Value Undefined();
Value Null();
Value Bool(bool v);
Value Int(int32 v);
Value UInt(uint32 v);
Value Double(double v);  // reports is_int / is_uint when the number is one
Value Date(const cef_time_t& utc);
Value String(const std::wstring& text);
Value Object();
Value Array(const std::vector<Value>& elements);

// What a value is, as a test sees it.
bool IsUndefined(const Value& v);
bool IsNull(const Value& v);
bool IsBool(const Value& v);
bool IsInt(const Value& v);
bool IsUInt(const Value& v);
bool IsDouble(const Value& v);
bool IsDate(const Value& v);
bool IsString(const Value& v);
bool IsObject(const Value& v);
bool IsFunction(const Value& v);
bool BoolOf(const Value& v);
int32 IntOf(const Value& v);
double DoubleOf(const Value& v);
cef_time_t DateOf(const Value& v);
std::wstring StringOf(const Value& v);

// Own property names of an object in the order they were first set (data and accessors).
std::vector<std::wstring> Keys(const Value& object);
// The name a native function was created under.
std::wstring FunctionName(const Value& function);
bool HasAccessor(const Value& object, const std::wstring& name, bool setter);

// Reads a property (running its getter), writes one (running its setter).
Value Get(const Value& object, const std::wstring& key);
void Put(const Value& object, const std::wstring& key, const Value& value);

// Result of calling a function: its value (undefined when the handler gave none or did
// not handle the call) or the exception text it threw.
struct CallResult {
  Value value;
  std::optional<std::wstring> exception;
  bool handled = false;
};
CallResult Call(const Value& function, const Value& self, const std::vector<Value>& args);
// Calls the method `name` of `object` with `object` as receiver.
CallResult CallMethod(const Value& object, const std::wstring& name, const std::vector<Value>& args);
// Calls a handler directly, as the engine calls an extension's native function.
CallResult Execute(cef_v8handler_t* handler, const std::wstring& name, const Value& self,
                   const std::vector<Value>& args);

struct Registration {
  std::wstring name;
  std::wstring code;
  CefRef<cef_v8handler_t> handler;
};
// Every cef_register_extension call since installation.
std::vector<Registration>& Registrations();

}  // namespace fakev8
