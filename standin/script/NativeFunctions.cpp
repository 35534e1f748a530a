#include "standin/script/NativeFunctions.h"

#include <optional>
#include <vector>

#include "engine/capi/CefString.h"
#include "standin/core/Trace.h"
#include "standin/script/DukText.h"
#include "standin/script/ScriptValue.h"
#include "standin/strings/EngineStrings.h"

namespace quirel::standin::script {
namespace {

// What a call into the program leaves for the Duktape function returning it.
enum class Outcome : duk_ret_t { kUndefined = 0, kValue = 1, kThrow = 2 };

// Raises, once every C++ object of the call is gone.
duk_ret_t Finish(duk_context* duk, Outcome outcome) {
  if (outcome == Outcome::kThrow) return duk_throw(duk);
  return static_cast<duk_ret_t>(outcome);
}

// The native data of the running Duktape function.
std::shared_ptr<NativeData> CurrentFunctionData(ScriptContext& context) {
  duk_push_current_function(context.duk());
  std::shared_ptr<NativeData> native = context.NativeOf(-1);
  duk_pop(context.duk());
  return native;
}

// The receiver as the engine gives it: a plain call's is the global object.
CefRef<cef_v8value_t> Receiver(ScriptContext& context) {
  duk_context* duk = context.duk();
  duk_push_this(duk);
  if (duk_is_undefined(duk, -1) || duk_is_null(duk, -1)) {
    duk_pop(duk);
    duk_push_global_object(duk);
  }
  CefRef<cef_v8value_t> receiver = ValueAt(context, -1);
  duk_pop(duk);
  return receiver;
}

// The end of every call into the program: a raised exception text, a result
// or nothing.
Outcome Answer(ScriptContext& context, bool handled, cef_v8value_t* retval,
               cef_string_t* exception) {
  CefRef<cef_v8value_t> result = CefAdopt(retval);
  const std::wstring text = ToWString(exception);
  ClearString(exception);
  duk_context* duk = context.duk();
  if (std::optional<unsigned> rethrow = context.TakeRethrow()) {
    context.PushHeld(*rethrow);
    context.Drop(*rethrow);
    return Outcome::kThrow;
  }
  if (!handled) return Outcome::kUndefined;
  if (!text.empty()) {
    const std::string message = ToDuk(text);
    duk_push_error_object(duk, DUK_ERR_ERROR, "%s", message.c_str());
    return Outcome::kThrow;
  }
  if (!result) return Outcome::kUndefined;
  PushValue(context, result.get());
  return Outcome::kValue;
}

Outcome RunHandler(duk_context* duk) {
  ScriptContext& context = *ScriptContext::Of(duk);
  const duk_idx_t argc = duk_get_top(duk);
  std::shared_ptr<NativeData> native = CurrentFunctionData(context);
  if (!native || !native->handler) return Outcome::kUndefined;
  const CefRef<cef_v8handler_t> handler = native->handler;
  const std::wstring name = native->function_name;

  std::vector<cef_v8value_t*> arguments;
  for (duk_idx_t i = 0; i < argc; ++i) arguments.push_back(ValueAt(context, i).Detach());
  CefRef<cef_v8value_t> receiver = Receiver(context);
  trace::Callback("v8handler.execute").Text("name", name).Int("arguments", argc);
  CefStringArg name_arg(name);
  cef_v8value_t* retval = nullptr;
  cef_string_t exception{};
  ++context.native_depth;
  const int handled = handler->execute(handler.get(), name_arg, receiver.Detach(),
                                       arguments.size(), arguments.data(), &retval, &exception);
  --context.native_depth;
  return Answer(context, handled != 0, retval, &exception);
}

duk_ret_t CallHandler(duk_context* duk) { return Finish(duk, RunHandler(duk)); }

Outcome RunAccessor(duk_context* duk, bool set) {
  ScriptContext& context = *ScriptContext::Of(duk);
  std::shared_ptr<NativeData> native = CurrentFunctionData(context);
  if (!native || !native->accessor) return Outcome::kUndefined;
  const CefRef<cef_v8accessor_t> accessor = native->accessor;
  CefStringArg name(native->function_name);
  CefRef<cef_v8value_t> receiver = Receiver(context);
  cef_v8value_t* retval = nullptr;
  cef_string_t exception{};
  int handled = 0;
  ++context.native_depth;
  if (set) {
    CefRef<cef_v8value_t> value = ValueAt(context, 0);
    handled = accessor->set(accessor.get(), name, receiver.Detach(), value.Detach(), &exception);
  } else {
    handled = accessor->get(accessor.get(), name, receiver.Detach(), &retval, &exception);
  }
  --context.native_depth;
  const Outcome outcome = Answer(context, handled != 0, retval, &exception);
  return set && outcome == Outcome::kValue ? Outcome::kUndefined : outcome;
}

duk_ret_t AccessorGet(duk_context* duk) { return Finish(duk, RunAccessor(duk, false)); }
duk_ret_t AccessorSet(duk_context* duk) { return Finish(duk, RunAccessor(duk, true)); }

// A property key as an array index, when it is one.
std::optional<int> IndexKey(const std::wstring& key) {
  if (key.empty() || key.size() > 9 || (key.size() > 1 && key[0] == L'0')) return std::nullopt;
  int index = 0;
  for (const wchar_t c : key) {
    if (c < L'0' || c > L'9') return std::nullopt;
    index = index * 10 + (c - L'0');
  }
  return index;
}

// Symbols are Duktape strings that start with a byte UTF-8 never starts with.
bool IsSymbolKey(duk_context* duk, duk_idx_t index) {
  if (!duk_is_string(duk, index)) return true;
  duk_size_t length = 0;
  const char* bytes = duk_get_lstring(duk, index, &length);
  return length > 0 && ((static_cast<unsigned char>(bytes[0]) >= 0x80 &&
                         static_cast<unsigned char>(bytes[0]) < 0xC0) ||
                        static_cast<unsigned char>(bytes[0]) == 0xFF);
}

// Proxy traps: [target key receiver] for get, [target key value receiver] for set.
Outcome RunInterceptor(duk_context* duk, bool set) {
  // Number keys (o[21]) reach the traps as numbers.
  if (duk_is_number(duk, 1)) duk_to_string(duk, 1);
  ScriptContext& context = *ScriptContext::Of(duk);
  std::shared_ptr<NativeData> native = CurrentFunctionData(context);
  if (!native || !native->interceptor || IsSymbolKey(duk, 1)) return Outcome::kUndefined;
  const CefRef<cef_v8interceptor_t> interceptor = native->interceptor;
  const std::wstring key = TextAt(duk, 1);
  const std::optional<int> index = IndexKey(key);
  CefRef<cef_v8value_t> receiver = ValueAt(context, set ? 3 : 2);
  cef_v8value_t* retval = nullptr;
  cef_string_t exception{};
  int handled = 0;
  ++context.native_depth;
  if (set) {
    CefRef<cef_v8value_t> value = ValueAt(context, 2);
    handled = index ? interceptor->set_byindex(interceptor.get(), *index, receiver.Detach(),
                                               value.Detach(), &exception)
                    : interceptor->set_byname(interceptor.get(), CefStringArg(key),
                                              receiver.Detach(), value.Detach(), &exception);
  } else {
    handled = index ? interceptor->get_byindex(interceptor.get(), *index, receiver.Detach(),
                                               &retval, &exception)
                    : interceptor->get_byname(interceptor.get(), CefStringArg(key),
                                              receiver.Detach(), &retval, &exception);
  }
  --context.native_depth;
  const bool answered = handled && (set || retval);
  const Outcome outcome = Answer(context, handled != 0, retval, &exception);
  if (outcome == Outcome::kThrow) return outcome;
  if (set) {
    if (answered) {
      duk_push_true(duk);
      return Outcome::kValue;
    }
    return Outcome::kUndefined;  // the trap's caller stores on the target
  }
  return answered ? Outcome::kValue : Outcome::kUndefined;
}

// What the interceptor did not answer goes to the target as usual.
duk_ret_t InterceptGet(duk_context* duk) {
  const duk_idx_t top = duk_get_top(duk);
  const Outcome outcome = RunInterceptor(duk, false);
  if (outcome != Outcome::kUndefined) return Finish(duk, outcome);
  duk_set_top(duk, top);
  duk_dup(duk, 1);
  duk_get_prop(duk, 0);
  return 1;
}

duk_ret_t InterceptSet(duk_context* duk) {
  const duk_idx_t top = duk_get_top(duk);
  const Outcome outcome = RunInterceptor(duk, true);
  if (outcome != Outcome::kUndefined) return Finish(duk, outcome);
  duk_set_top(duk, top);
  duk_dup(duk, 1);
  duk_dup(duk, 2);
  duk_put_prop(duk, 0);
  duk_push_true(duk);
  return 1;
}

void PushFunctionWithData(ScriptContext& context, duk_c_function function, duk_idx_t nargs,
                          const std::wstring& name, const NativeData& data) {
  duk_push_c_function(context.duk(), function, nargs);
  std::shared_ptr<NativeData> native = context.AttachNative(-1);
  *native = data;
  native->function_name = name;
}

}  // namespace

void PushHandlerFunction(ScriptContext& context, const std::wstring& name,
                         CefRef<cef_v8handler_t> handler) {
  NativeData data;
  data.handler = std::move(handler);
  PushFunctionWithData(context, &CallHandler, DUK_VARARGS, name, data);
  // Scripts see the name as a function's own.
  duk_context* duk = context.duk();
  duk_push_string(duk, "name");
  PushText(duk, name);
  auto define = [](duk_context* d, duk_idx_t base) -> duk_ret_t {
    duk_def_prop(d, base, DUK_DEFPROP_HAVE_VALUE | DUK_DEFPROP_FORCE);
    return 0;
  };
  duk_dup(duk, -3);
  duk_insert(duk, -3);
  Protected(duk, 3, 1, define);
  duk_pop(duk);
}

void PushApiObject(ScriptContext& context, CefRef<cef_v8accessor_t> accessor,
                   CefRef<cef_v8interceptor_t> interceptor) {
  duk_context* duk = context.duk();
  duk_push_object(duk);
  std::shared_ptr<NativeData> native = context.AttachNative(-1);
  native->accessor = std::move(accessor);
  if (!interceptor) return;
  native->interceptor = interceptor;
  // [target] -> [proxy]
  NativeData trap_data;
  trap_data.interceptor = interceptor;
  duk_dup(duk, -1);
  duk_push_object(duk);
  PushFunctionWithData(context, &InterceptGet, 3, L"get", trap_data);
  duk_put_prop_string(duk, -2, "get");
  PushFunctionWithData(context, &InterceptSet, 4, L"set", trap_data);
  duk_put_prop_string(duk, -2, "set");
  duk_push_proxy(duk, 0);
  context.AliasNative(-1, -2);
  duk_remove(duk, -2);
}

bool DefineAccessorProperty(ScriptContext& context, duk_idx_t index, const std::wstring& key,
                            cef_v8_propertyattribute_t attribute) {
  duk_context* duk = context.duk();
  index = duk_normalize_index(duk, index);
  std::shared_ptr<NativeData> native = context.NativeOf(index);
  if (!native || !native->accessor) return false;
  NativeData data;
  data.accessor = native->accessor;
  const bool read_only = attribute & V8_PROPERTY_ATTRIBUTE_READONLY;
  duk_uint_t flags = DUK_DEFPROP_HAVE_GETTER | DUK_DEFPROP_HAVE_ENUMERABLE |
                     DUK_DEFPROP_HAVE_CONFIGURABLE;
  if (!(attribute & V8_PROPERTY_ATTRIBUTE_DONTENUM)) flags |= DUK_DEFPROP_ENUMERABLE;
  if (!(attribute & V8_PROPERTY_ATTRIBUTE_DONTDELETE)) flags |= DUK_DEFPROP_CONFIGURABLE;
  duk_dup(duk, index);
  PushText(duk, key);
  PushFunctionWithData(context, &AccessorGet, 0, key, data);
  if (!read_only) {
    PushFunctionWithData(context, &AccessorSet, 1, key, data);
    flags |= DUK_DEFPROP_HAVE_SETTER;
  }
  auto define = [flags](duk_context* d, duk_idx_t base) -> duk_ret_t {
    duk_def_prop(d, base, flags);
    return 0;
  };
  const bool defined = Protected(duk, read_only ? 3 : 4, 1, define) == DUK_EXEC_SUCCESS;
  duk_pop(duk);
  return defined;
}

}  // namespace quirel::standin::script
