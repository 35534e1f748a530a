#include "standin/script/ScriptValue.h"

#include <cmath>
#include <cstdint>
#include <mutex>
#include <set>
#include <vector>

#include "engine/capi/CefObject.h"
#include "standin/core/NoDestructor.h"
#include "standin/script/DukText.h"
#include "standin/script/NativeFunctions.h"
#include "standin/script/ScriptException.h"
#include "standin/script/ScriptTime.h"
#include "standin/strings/EngineStrings.h"
#include "standin/strings/StringCollections.h"

namespace quirel::standin::script {
namespace {

struct LiveValues {
  std::mutex mutex;
  std::set<cef_v8value_t*> values;
};

LiveValues& Live() {
  static NoDestructor<LiveValues> live;
  return live.get();
}

bool IsOurs(cef_v8value_t* value) {
  std::lock_guard lock(Live().mutex);
  return Live().values.count(value) != 0;
}

bool IsIntegral(double number) { return std::isfinite(number) && std::trunc(number) == number; }


class Value : public CefObject<Value, cef_v8value_t> {
 public:
  Value(const std::shared_ptr<ScriptContext>& context, unsigned id)
      : context_(context), id_(id) {
    {
      std::lock_guard lock(Live().mutex);
      Live().values.insert(cef());
    }
    using T = Value;
    Bind<&T::IsValid>(cef()->is_valid);
    Bind<&T::IsUndefined>(cef()->is_undefined);
    Bind<&T::IsNull>(cef()->is_null);
    Bind<&T::IsBool>(cef()->is_bool);
    Bind<&T::IsInt>(cef()->is_int);
    Bind<&T::IsUInt>(cef()->is_uint);
    Bind<&T::IsDouble>(cef()->is_double);
    Bind<&T::IsDate>(cef()->is_date);
    Bind<&T::IsString>(cef()->is_string);
    Bind<&T::IsObject>(cef()->is_object);
    Bind<&T::IsArray>(cef()->is_array);
    Bind<&T::IsArrayBuffer>(cef()->is_array_buffer);
    Bind<&T::IsFunction>(cef()->is_function);
    Bind<&T::IsSame>(cef()->is_same);
    Bind<&T::GetBool>(cef()->get_bool_value);
    Bind<&T::GetInt>(cef()->get_int_value);
    Bind<&T::GetUInt>(cef()->get_uint_value);
    Bind<&T::GetDouble>(cef()->get_double_value);
    Bind<&T::GetDate>(cef()->get_date_value);
    Bind<&T::GetString>(cef()->get_string_value);
    Bind<&T::IsUserCreated>(cef()->is_user_created);
    Bind<&T::HasException>(cef()->has_exception);
    Bind<&T::GetException>(cef()->get_exception);
    Bind<&T::ClearException>(cef()->clear_exception);
    Bind<&T::WillRethrow>(cef()->will_rethrow_exceptions);
    Bind<&T::SetRethrow>(cef()->set_rethrow_exceptions);
    Bind<&T::HasByKey>(cef()->has_value_bykey);
    Bind<&T::HasByIndex>(cef()->has_value_byindex);
    Bind<&T::DeleteByKey>(cef()->delete_value_bykey);
    Bind<&T::DeleteByIndex>(cef()->delete_value_byindex);
    Bind<&T::GetByKey>(cef()->get_value_bykey);
    Bind<&T::GetByIndex>(cef()->get_value_byindex);
    Bind<&T::SetByKey>(cef()->set_value_bykey);
    Bind<&T::SetByIndex>(cef()->set_value_byindex);
    Bind<&T::SetByAccessor>(cef()->set_value_byaccessor);
    Bind<&T::GetKeys>(cef()->get_keys);
    Bind<&T::SetUserData>(cef()->set_user_data);
    Bind<&T::GetUserData>(cef()->get_user_data);
    Bind<&T::GetExternalMemory>(cef()->get_externally_allocated_memory);
    Bind<&T::AdjustExternalMemory>(cef()->adjust_externally_allocated_memory);
    Bind<&T::GetArrayLength>(cef()->get_array_length);
    Bind<&T::GetArrayBufferReleaseCallback>(cef()->get_array_buffer_release_callback);
    Bind<&T::NeuterArrayBuffer>(cef()->neuter_array_buffer);
    Bind<&T::GetFunctionName>(cef()->get_function_name);
    Bind<&T::GetFunctionHandler>(cef()->get_function_handler);
    Bind<&T::ExecuteFunction>(cef()->execute_function);
    Bind<&T::ExecuteFunctionWithContext>(cef()->execute_function_with_context);
  }

  ~Value() override {
    if (std::shared_ptr<ScriptContext> context = context_.lock()) context->Drop(id_);
    std::lock_guard lock(Live().mutex);
    Live().values.erase(cef());
  }

  // Pushes this value onto `into`'s stack (copying primitives across heaps).
  void PushOnto(ScriptContext& into) const {
    std::shared_ptr<ScriptContext> own = context_.lock();
    duk_context* to = into.duk();
    if (!own) {
      duk_push_undefined(to);
      return;
    }
    if (own.get() == &into) {
      into.PushHeld(id_);
      return;
    }
    duk_context* from = own->duk();
    own->PushHeld(id_);
    if (duk_is_boolean(from, -1)) duk_push_boolean(to, duk_get_boolean(from, -1));
    else if (duk_is_number(from, -1)) duk_push_number(to, duk_get_number(from, -1));
    else if (duk_is_string(from, -1)) PushText(to, TextAt(from, -1));
    else if (duk_is_null(from, -1)) duk_push_null(to);
    else duk_push_undefined(to);
    duk_pop(from);
  }

 private:
  // This value on top of its context's stack while it lives; the stack is
  // put back as it was afterwards.
  class Pushed {
   public:
    explicit Pushed(const Value& value) : context_(value.context_.lock()) {
      if (!context_) return;
      base_ = duk_get_top(context_->duk());
      context_->PushHeld(value.id_);
    }
    Pushed(const Pushed&) = delete;
    Pushed& operator=(const Pushed&) = delete;
    ~Pushed() {
      if (context_) duk_set_top(context_->duk(), base_);
    }
    explicit operator bool() const { return static_cast<bool>(context_); }
    duk_context* duk() const { return context_->duk(); }
    ScriptContext& context() const { return *context_; }
    const std::shared_ptr<ScriptContext>& shared() const { return context_; }
    duk_idx_t self() const { return base_; }

   private:
    std::shared_ptr<ScriptContext> context_;
    duk_idx_t base_ = 0;
  };

  template <class Test>
  int Check(Test test) const {
    Pushed p(*this);
    return p && test(p.duk(), p.self()) ? 1 : 0;
  }

  double Number() const {
    Pushed p(*this);
    return p && duk_is_number(p.duk(), p.self()) ? duk_get_number(p.duk(), p.self()) : NAN;
  }

  // An exception a property access or call raised, kept for has_exception.
  void Caught(ScriptContext& context) {
    exception_ = NewException(context.Describe(-1));
    duk_pop(context.duk());
  }

  int IsValid() { return context_.expired() ? 0 : 1; }
  int IsUndefined() { return Check([](duk_context* d, duk_idx_t i) { return duk_is_undefined(d, i); }); }
  int IsNull() { return Check([](duk_context* d, duk_idx_t i) { return duk_is_null(d, i); }); }
  int IsBool() { return Check([](duk_context* d, duk_idx_t i) { return duk_is_boolean(d, i); }); }
  int IsInt() {
    const double n = Number();
    return IsIntegral(n) && n >= INT32_MIN && n <= INT32_MAX && !(n == 0 && std::signbit(n));
  }
  int IsUInt() {
    const double n = Number();
    return IsIntegral(n) && n >= 0 && n <= UINT32_MAX && !std::signbit(n);
  }
  int IsDouble() { return Check([](duk_context* d, duk_idx_t i) { return duk_is_number(d, i); }); }
  int IsDate() {
    Pushed p(*this);
    if (!p || !duk_is_object(p.duk(), p.self())) return 0;
    duk_dup(p.duk(), p.self());
    auto check = [](duk_context* d, duk_idx_t base) -> duk_ret_t {
      duk_get_global_string(d, "Date");
      duk_push_boolean(d, duk_instanceof(d, base, -1));
      return 1;
    };
    return Protected(p.duk(), 1, 1, check) == DUK_EXEC_SUCCESS && duk_get_boolean(p.duk(), -1);
  }
  int IsString() { return Check([](duk_context* d, duk_idx_t i) { return duk_is_string(d, i); }); }
  int IsObject() { return Check([](duk_context* d, duk_idx_t i) { return duk_is_object(d, i); }); }
  int IsArray() { return Check([](duk_context* d, duk_idx_t i) { return duk_is_array(d, i); }); }
  int IsArrayBuffer() { return 0; }  // no array buffers are made here
  int IsFunction() { return Check([](duk_context* d, duk_idx_t i) { return duk_is_function(d, i); }); }
  int IsSame(cef_v8value_t* that) {
    CefRef<cef_v8value_t> other = CefAdopt(that);
    if (!other || !IsOurs(other.get())) return 0;
    Pushed p(*this);
    if (!p) return 0;
    PushValue(p.context(), other.get());
    // Objects of another context arrive as undefined: never the same.
    if (duk_is_undefined(p.duk(), -1) && !duk_is_undefined(p.duk(), p.self())) return 0;
    return duk_strict_equals(p.duk(), p.self(), -1) ? 1 : 0;
  }
  int GetBool() {
    return Check([](duk_context* d, duk_idx_t i) { return duk_is_boolean(d, i) && duk_get_boolean(d, i); });
  }
  int32 GetInt() {
    if (!IsInt() && !IsUInt()) return 0;
    return static_cast<int32>(static_cast<int64_t>(Number()));
  }
  uint32 GetUInt() {
    if (!IsInt() && !IsUInt()) return 0;
    return static_cast<uint32>(static_cast<int64_t>(Number()));
  }
  double GetDouble() {
    const double n = Number();
    return std::isnan(n) && !IsDouble() ? 0 : n;
  }
  cef_time_t GetDate() {
    if (!IsDate()) return cef_time_t{};
    Pushed p(*this);
    duk_dup(p.duk(), p.self());
    auto time = [](duk_context* d, duk_idx_t base) -> duk_ret_t {
      duk_push_string(d, "getTime");
      duk_call_prop(d, base, 0);
      return 1;
    };
    if (Protected(p.duk(), 1, 1, time) != DUK_EXEC_SUCCESS || !duk_is_number(p.duk(), -1))
      return cef_time_t{};
    return FromTimeValue(duk_get_number(p.duk(), -1));
  }
  cef_string_userfree_t GetString() {
    Pushed p(*this);
    return NewUserFreeString(p ? TextAt(p.duk(), p.self()) : L"");
  }
  int IsUserCreated() {
    Pushed p(*this);
    return p && p.context().NativeOf(p.self()) ? 1 : 0;
  }
  int HasException() { return exception_ ? 1 : 0; }
  cef_v8exception_t* GetException() { return exception_.Share(); }
  int ClearException() {
    exception_.Reset();
    return 1;
  }
  int WillRethrow() { return rethrow_ ? 1 : 0; }
  int SetRethrow(int rethrow) {
    rethrow_ = rethrow != 0;
    return 1;
  }

  // [object key] -> [result] for the property operations.
  enum class Op { kHas, kDelete, kGet };
  bool Property(Pushed& p, Op op) {
    // key already pushed above the object copy
    auto body = [op](duk_context* d, duk_idx_t base) -> duk_ret_t {
      switch (op) {
        case Op::kHas: duk_push_boolean(d, duk_has_prop(d, base)); break;
        case Op::kDelete: duk_push_boolean(d, duk_del_prop(d, base)); break;
        case Op::kGet: duk_get_prop(d, base); break;
      }
      return 1;
    };
    if (Protected(p.duk(), 2, 1, body) != DUK_EXEC_SUCCESS) {
      Caught(p.context());
      return false;
    }
    return true;
  }
  bool PushObjectAndKey(Pushed& p, const cef_string_t* key) {
    if (!p || !duk_is_object(p.duk(), p.self())) return false;
    duk_dup(p.duk(), p.self());
    PushText(p.duk(), ToWString(key));
    return true;
  }
  bool PushObjectAndIndex(Pushed& p, int index) {
    if (!p || !duk_is_object(p.duk(), p.self()) || index < 0) return false;
    duk_dup(p.duk(), p.self());
    duk_push_uint(p.duk(), static_cast<duk_uint_t>(index));
    return true;
  }
  int HasByKey(const cef_string_t* key) {
    Pushed p(*this);
    return PushObjectAndKey(p, key) && Property(p, Op::kHas) && duk_get_boolean(p.duk(), -1);
  }
  int HasByIndex(int index) {
    Pushed p(*this);
    return PushObjectAndIndex(p, index) && Property(p, Op::kHas) && duk_get_boolean(p.duk(), -1);
  }
  int DeleteByKey(const cef_string_t* key) {
    Pushed p(*this);
    return PushObjectAndKey(p, key) && Property(p, Op::kDelete) && duk_get_boolean(p.duk(), -1);
  }
  int DeleteByIndex(int index) {
    Pushed p(*this);
    return PushObjectAndIndex(p, index) && Property(p, Op::kDelete) &&
           duk_get_boolean(p.duk(), -1);
  }
  cef_v8value_t* GetByKey(const cef_string_t* key) {
    Pushed p(*this);
    if (!PushObjectAndKey(p, key) || !Property(p, Op::kGet)) return nullptr;
    return ValueAt(p.context(), -1).Detach();
  }
  cef_v8value_t* GetByIndex(int index) {
    Pushed p(*this);
    if (!PushObjectAndIndex(p, index) || !Property(p, Op::kGet)) return nullptr;
    return ValueAt(p.context(), -1).Detach();
  }

  // [object key value] -> [] with the attributes given.
  bool Store(Pushed& p, cef_v8_propertyattribute_t attribute) {
    auto put = [](duk_context* d, duk_idx_t base) -> duk_ret_t {
      duk_put_prop(d, base);
      return 0;
    };
    auto define = [attribute](duk_context* d, duk_idx_t base) -> duk_ret_t {
      duk_uint_t flags = DUK_DEFPROP_HAVE_VALUE | DUK_DEFPROP_HAVE_WRITABLE |
                         DUK_DEFPROP_HAVE_ENUMERABLE | DUK_DEFPROP_HAVE_CONFIGURABLE;
      if (!(attribute & V8_PROPERTY_ATTRIBUTE_READONLY)) flags |= DUK_DEFPROP_WRITABLE;
      if (!(attribute & V8_PROPERTY_ATTRIBUTE_DONTENUM)) flags |= DUK_DEFPROP_ENUMERABLE;
      if (!(attribute & V8_PROPERTY_ATTRIBUTE_DONTDELETE)) flags |= DUK_DEFPROP_CONFIGURABLE;
      duk_def_prop(d, base, flags);
      return 0;
    };
    const duk_int_t result = attribute == V8_PROPERTY_ATTRIBUTE_NONE
                                 ? Protected(p.duk(), 3, 1, put)
                                 : Protected(p.duk(), 3, 1, define);
    if (result != DUK_EXEC_SUCCESS) {
      Caught(p.context());
      return false;
    }
    return true;
  }
  int SetByKey(const cef_string_t* key, cef_v8value_t* value, cef_v8_propertyattribute_t attribute) {
    CefRef<cef_v8value_t> held = CefAdopt(value);
    Pushed p(*this);
    if (!held || !PushObjectAndKey(p, key)) return 0;
    PushValue(p.context(), held.get());
    return Store(p, attribute) ? 1 : 0;
  }
  int SetByIndex(int index, cef_v8value_t* value) {
    CefRef<cef_v8value_t> held = CefAdopt(value);
    Pushed p(*this);
    if (!held || !PushObjectAndIndex(p, index)) return 0;
    PushValue(p.context(), held.get());
    return Store(p, V8_PROPERTY_ATTRIBUTE_NONE) ? 1 : 0;
  }
  int SetByAccessor(const cef_string_t* key, cef_v8_accesscontrol_t,
                    cef_v8_propertyattribute_t attribute) {
    Pushed p(*this);
    if (!p || !duk_is_object(p.duk(), p.self())) return 0;
    return DefineAccessorProperty(p.context(), p.self(), ToWString(key), attribute) ? 1 : 0;
  }
  int GetKeys(cef_string_list_t keys) {
    Pushed p(*this);
    if (!p || !duk_is_object(p.duk(), p.self())) return 0;
    duk_dup(p.duk(), p.self());
    auto names = [](duk_context* d, duk_idx_t base) -> duk_ret_t {
      duk_get_global_string(d, "Object");
      duk_push_string(d, "keys");
      duk_dup(d, base);
      duk_call_prop(d, -3, 1);
      return 1;
    };
    if (Protected(p.duk(), 1, 1, names) != DUK_EXEC_SUCCESS || !duk_is_array(p.duk(), -1)) {
      Caught(p.context());
      return 0;
    }
    const duk_size_t count = duk_get_length(p.duk(), -1);
    for (duk_size_t i = 0; i < count; ++i) {
      duk_get_prop_index(p.duk(), -1, static_cast<duk_uarridx_t>(i));
      AppendToList(keys, TextAt(p.duk(), -1));
      duk_pop(p.duk());
    }
    return 1;
  }
  int SetUserData(cef_base_ref_counted_t* data) {
    CefRef<cef_base_ref_counted_t> held = CefAdopt(data);
    Pushed p(*this);
    if (!p) return 0;
    // The engine keeps user data only on objects made through its API.
    std::shared_ptr<NativeData> native = p.context().NativeOf(p.self());
    if (!native) return 0;
    std::swap(native->user_data, held);  // the old one goes when `held` does
    return 1;
  }
  cef_base_ref_counted_t* GetUserData() {
    Pushed p(*this);
    std::shared_ptr<NativeData> native = p ? p.context().NativeOf(p.self()) : nullptr;
    return native ? native->user_data.Share() : nullptr;
  }
  int GetExternalMemory() { return external_memory_; }
  int AdjustExternalMemory(int change) {
    if (!IsUserCreated()) return 0;
    external_memory_ += change;
    return external_memory_;
  }
  int GetArrayLength() {
    Pushed p(*this);
    if (!p || !duk_is_array(p.duk(), p.self())) return 0;
    return static_cast<int>(duk_get_length(p.duk(), p.self()));
  }
  cef_v8array_buffer_release_callback_t* GetArrayBufferReleaseCallback() { return nullptr; }
  int NeuterArrayBuffer() { return 0; }
  cef_string_userfree_t GetFunctionName() {
    Pushed p(*this);
    if (!p || !duk_is_function(p.duk(), p.self())) return NewUserFreeString(L"");
    if (std::shared_ptr<NativeData> native = p.context().NativeOf(p.self()); native && native->handler)
      return NewUserFreeString(native->function_name);
    duk_dup(p.duk(), p.self());
    duk_push_string(p.duk(), "name");
    if (!Property(p, Op::kGet)) return NewUserFreeString(L"");
    return NewUserFreeString(TextAt(p.duk(), -1));
  }
  cef_v8handler_t* GetFunctionHandler() {
    Pushed p(*this);
    std::shared_ptr<NativeData> native = p ? p.context().NativeOf(p.self()) : nullptr;
    return native ? native->handler.Share() : nullptr;
  }

  cef_v8value_t* ExecuteFunction(cef_v8value_t* object, size_t count,
                                 cef_v8value_t* const* arguments) {
    CefRef<cef_v8value_t> receiver = CefAdopt(object);
    std::vector<CefRef<cef_v8value_t>> args;
    for (size_t i = 0; i < count; ++i) args.push_back(CefAdopt(arguments[i]));
    return Execute(receiver, args);
  }
  cef_v8value_t* ExecuteFunctionWithContext(cef_v8context_t* context, cef_v8value_t* object,
                                            size_t count, cef_v8value_t* const* arguments) {
    // A function runs in the context it belongs to: there is one per heap.
    CefRef<cef_v8context_t> released = CefAdopt(context);
    return ExecuteFunction(object, count, arguments);
  }
  cef_v8value_t* Execute(const CefRef<cef_v8value_t>& receiver,
                         const std::vector<CefRef<cef_v8value_t>>& args) {
    Pushed p(*this);
    if (!p || !duk_is_function(p.duk(), p.self())) return nullptr;
    ContextScope scope(p.shared());
    exception_.Reset();
    duk_dup(p.duk(), p.self());
    if (receiver) PushValue(p.context(), receiver.get());
    else duk_push_global_object(p.duk());
    for (const CefRef<cef_v8value_t>& arg : args) PushValue(p.context(), arg.get());
    unsigned held_error = 0;
    const bool rethrow = rethrow_ && p.context().native_depth > 0;
    if (std::optional<ScriptError> error =
            p.context().Call(static_cast<duk_idx_t>(args.size()), rethrow ? &held_error : nullptr)) {
      exception_ = NewException(*error);
      if (rethrow) p.context().SetRethrow(held_error);
      return nullptr;
    }
    return ValueAt(p.context(), -1).Detach();
  }

  std::weak_ptr<ScriptContext> context_;
  unsigned id_;
  CefRef<cef_v8exception_t> exception_;
  bool rethrow_ = false;
  int external_memory_ = 0;
};

}  // namespace

CefRef<cef_v8value_t> ValueAt(ScriptContext& context, duk_idx_t index) {
  return CefNew<Value>(context.shared_from_this(), context.Hold(index));
}

void PushValue(ScriptContext& context, cef_v8value_t* value) {
  if (!value || !IsOurs(value)) {
    duk_push_undefined(context.duk());
    return;
  }
  Value::FromSelf(value)->PushOnto(context);
}

long long LiveValueObjects() {
  std::lock_guard lock(Live().mutex);
  return static_cast<long long>(Live().values.size());
}

}  // namespace quirel::standin::script
