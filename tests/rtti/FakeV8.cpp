#include "FakeV8.h"

#include <cmath>
#include <cstring>
#include <memory>

#include "common/HomePage.h"
#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/CefString.h"

namespace fakev8 {
namespace {

int g_live = 0;

enum class Kind { Undefined, Null, Bool, Number, Date, String, Object, Array, Function, Builtin };

class FakeValue;
using Builtin = std::function<Value(cef_v8value_t* self, const std::vector<Value>& args)>;

class FakeValue : public CefObject<FakeValue, cef_v8value_t> {
 public:
  explicit FakeValue(Kind kind) : kind_(kind) {
    ++g_live;
    using T = FakeValue;
    Bind<&T::IsValid>(cef()->is_valid);
    Bind<&T::IsUndefinedCb>(cef()->is_undefined);
    Bind<&T::IsNullCb>(cef()->is_null);
    Bind<&T::IsBoolCb>(cef()->is_bool);
    Bind<&T::IsIntCb>(cef()->is_int);
    Bind<&T::IsUIntCb>(cef()->is_uint);
    Bind<&T::IsDoubleCb>(cef()->is_double);
    Bind<&T::IsDateCb>(cef()->is_date);
    Bind<&T::IsStringCb>(cef()->is_string);
    Bind<&T::IsObjectCb>(cef()->is_object);
    Bind<&T::IsArrayCb>(cef()->is_array);
    Bind<&T::IsFunctionCb>(cef()->is_function);
    Bind<&T::GetBool>(cef()->get_bool_value);
    Bind<&T::GetInt>(cef()->get_int_value);
    Bind<&T::GetUInt>(cef()->get_uint_value);
    Bind<&T::GetDouble>(cef()->get_double_value);
    Bind<&T::GetDate>(cef()->get_date_value);
    Bind<&T::GetString>(cef()->get_string_value);
    Bind<&T::GetByKey>(cef()->get_value_bykey);
    Bind<&T::GetByIndex>(cef()->get_value_byindex);
    Bind<&T::SetByKey>(cef()->set_value_bykey);
    Bind<&T::SetByIndex>(cef()->set_value_byindex);
    Bind<&T::SetUserData>(cef()->set_user_data);
    Bind<&T::GetUserData>(cef()->get_user_data);
    Bind<&T::GetArrayLength>(cef()->get_array_length);
    Bind<&T::ExecuteFunction>(cef()->execute_function);
  }
  ~FakeValue() override { --g_live; }

  Kind kind_;
  bool bool_ = false;
  double number_ = 0;
  cef_time_t date_{};
  std::wstring string_;
  std::vector<std::wstring> order_;
  std::map<std::wstring, Value> props_;
  struct Accessor {
    Value getter, setter;
  };
  std::map<std::wstring, Accessor> accessors_;
  std::vector<Value> elements_;
  CefRef<cef_base_ref_counted_t> userData_;
  std::wstring functionName_;
  CefRef<cef_v8handler_t> handler_;
  Builtin builtin_;

  bool IsInteger() const { return kind_ == Kind::Number && std::trunc(number_) == number_ && std::isfinite(number_); }

 private:
  int IsValid() { return 1; }
  int IsUndefinedCb() { return kind_ == Kind::Undefined; }
  int IsNullCb() { return kind_ == Kind::Null; }
  int IsBoolCb() { return kind_ == Kind::Bool; }
  int IsIntCb() { return IsInteger() && number_ >= INT32_MIN && number_ <= INT32_MAX; }
  int IsUIntCb() { return IsInteger() && number_ >= 0 && number_ <= UINT32_MAX; }
  int IsDoubleCb() { return kind_ == Kind::Number; }
  int IsDateCb() { return kind_ == Kind::Date; }
  int IsStringCb() { return kind_ == Kind::String; }
  int IsObjectCb() {
    return kind_ == Kind::Object || kind_ == Kind::Array || kind_ == Kind::Function || kind_ == Kind::Builtin;
  }
  int IsArrayCb() { return kind_ == Kind::Array; }
  int IsFunctionCb() { return kind_ == Kind::Function || kind_ == Kind::Builtin; }
  int GetBool() { return kind_ == Kind::Bool && bool_; }
  int32 GetInt() { return IsIntCb() || IsUIntCb() ? static_cast<int32>(static_cast<int64_t>(number_)) : 0; }
  uint32 GetUInt() { return IsIntCb() || IsUIntCb() ? static_cast<uint32>(static_cast<int64_t>(number_)) : 0; }
  double GetDouble() { return kind_ == Kind::Number ? number_ : 0; }
  cef_time_t GetDate() { return kind_ == Kind::Date ? date_ : cef_time_t{}; }
  cef_string_userfree_t GetString() {
    cef_string_userfree_t s = g_cef.cef_string_userfree_utf16_alloc();
    if (kind_ == Kind::String) g_cef.cef_string_utf16_set(string_.data(), string_.size(), s, 1);
    return s;
  }
  cef_v8value_t* GetByKey(const cef_string_t* key);
  cef_v8value_t* GetByIndex(int index) {
    if (kind_ != Kind::Array || index < 0 || index >= static_cast<int>(elements_.size()))
      return Undefined().Detach();
    return elements_[static_cast<size_t>(index)].Share();
  }
  int SetByKey(const cef_string_t* key, cef_v8value_t* value, cef_v8_propertyattribute_t) {
    Value held = CefAdopt(value);
    if (!IsObjectCb()) return 0;
    const std::wstring name = CefToWString(key);
    if (auto a = accessors_.find(name); a != accessors_.end()) {
      if (a->second.setter) Call(a->second.setter, Value::Retain(cef()), {held});
      return 1;
    }
    if (!props_.count(name)) order_.push_back(name);
    props_[name] = held;
    return 1;
  }
  int SetByIndex(int index, cef_v8value_t* value) {
    Value held = CefAdopt(value);
    if (kind_ != Kind::Array || index < 0) return 0;
    if (static_cast<size_t>(index) >= elements_.size()) elements_.resize(static_cast<size_t>(index) + 1, Undefined());
    elements_[static_cast<size_t>(index)] = held;
    return 1;
  }
  int SetUserData(cef_base_ref_counted_t* data) {
    CefRef<cef_base_ref_counted_t> held = CefAdopt(data);
    // The engine attaches user data only to objects created through its API.
    if (kind_ != Kind::Object) return 0;
    userData_ = held;
    return 1;
  }
  cef_base_ref_counted_t* GetUserData() { return userData_.Share(); }
  int GetArrayLength() { return kind_ == Kind::Array ? static_cast<int>(elements_.size()) : 0; }
  cef_v8value_t* ExecuteFunction(cef_v8value_t* object, size_t count, cef_v8value_t* const* arguments) {
    Value self = CefAdopt(object);
    std::vector<Value> args;
    for (size_t i = 0; i < count; ++i) args.push_back(CefAdopt(arguments[i]));
    if (kind_ == Kind::Builtin) return builtin_(self.get(), args).Detach();
    if (kind_ != Kind::Function) return nullptr;
    CallResult r = Execute(handler_.get(), functionName_, self, args);
    if (r.exception) return nullptr;  // the engine gives null when the call threw
    return r.value.Detach();
  }
};

FakeValue* Fake(cef_v8value_t* v) { return FakeValue::FromSelf(v); }
FakeValue* Fake(const Value& v) { return Fake(v.get()); }

Value Make(Kind kind) { return CefNew<FakeValue>(kind); }

// Object.prototype.__defineGetter__ / __defineSetter__, as every object inherits them.
Value DefineAccessor(bool setter) {
  Value f = Make(Kind::Builtin);
  Fake(f)->builtin_ = [setter](cef_v8value_t* self, const std::vector<Value>& args) {
    if (!self || args.size() < 2 || !IsString(args[0])) return Undefined();
    FakeValue* target = Fake(self);
    const std::wstring name = StringOf(args[0]);
    if (!target->accessors_.count(name) && !target->props_.count(name)) target->order_.push_back(name);
    target->props_.erase(name);
    (setter ? target->accessors_[name].setter : target->accessors_[name].getter) = args[1];
    return Undefined();
  };
  return f;
}

cef_v8value_t* FakeValue::GetByKey(const cef_string_t* key) {
  const std::wstring name = CefToWString(key);
  if (!IsObjectCb()) return Undefined().Detach();
  if (auto p = props_.find(name); p != props_.end()) return p->second.Share();
  if (auto a = accessors_.find(name); a != accessors_.end()) {
    if (!a->second.getter) return Undefined().Detach();
    return Call(a->second.getter, Value::Retain(cef()), {}).value.Detach();
  }
  if (name == L"__defineGetter__") return DefineAccessor(false).Detach();
  if (name == L"__defineSetter__") return DefineAccessor(true).Detach();
  return Undefined().Detach();
}

// --- Engine exports (cdecl). ---

cef_v8value_t* CreateUndefined() { return Make(Kind::Undefined).Detach(); }
cef_v8value_t* CreateNull() { return Make(Kind::Null).Detach(); }
cef_v8value_t* CreateBool(int v) { return Bool(v != 0).Detach(); }
cef_v8value_t* CreateInt(int32 v) { return Double(v).Detach(); }
cef_v8value_t* CreateUInt(uint32 v) { return Double(v).Detach(); }
cef_v8value_t* CreateDouble(double v) { return Double(v).Detach(); }
cef_v8value_t* CreateDate(const cef_time_t* v) { return Date(*v).Detach(); }
cef_v8value_t* CreateString(const cef_string_t* v) { return String(CefToWString(v)).Detach(); }
cef_v8value_t* CreateObject(cef_v8accessor_t* accessor, cef_v8interceptor_t* interceptor) {
  CefRef<cef_v8accessor_t> a = CefAdopt(accessor);
  CefRef<cef_v8interceptor_t> i = CefAdopt(interceptor);
  if (a || i) return nullptr;  // the bridge never asks for either
  return Make(Kind::Object).Detach();
}
cef_v8value_t* CreateArray(int length) {
  Value v = Make(Kind::Array);
  Fake(v)->elements_.resize(static_cast<size_t>(length < 0 ? 0 : length), Value());
  for (Value& e : Fake(v)->elements_) e = Undefined();
  return v.Detach();
}
cef_v8value_t* CreateFunction(const cef_string_t* name, cef_v8handler_t* handler) {
  CefRef<cef_v8handler_t> h = CefAdopt(handler);
  Value v = Make(Kind::Function);
  Fake(v)->functionName_ = CefToWString(name);
  Fake(v)->handler_ = h;
  return v.Detach();
}
int RegisterExtension(const cef_string_t* name, const cef_string_t* code, cef_v8handler_t* handler) {
  Registrations().push_back({CefToWString(name), CefToWString(code), CefAdopt(handler)});
  return 1;
}

void CEF_CDECL FreeBuffer(char16* str) { delete[] str; }

int StringSet(const char16* src, size_t len, cef_string_utf16_t* output, int copy) {
  if (output->dtor && output->str) output->dtor(output->str);
  if (copy) {
    auto buffer = std::make_unique<char16[]>(len + 1);
    std::memcpy(buffer.get(), src, len * sizeof(char16));
    buffer[len] = 0;
    output->str = buffer.release();
    output->dtor = &FreeBuffer;
  } else {
    output->str = const_cast<char16*>(src);
    output->dtor = nullptr;
  }
  output->length = len;
  return 1;
}
void StringClear(cef_string_utf16_t* s) {
  if (s->dtor && s->str) s->dtor(s->str);
  *s = cef_string_utf16_t{};
}
cef_string_userfree_utf16_t UserFreeAlloc() { return new cef_string_utf16_t{}; }
void UserFreeFree(cef_string_userfree_utf16_t s) {
  if (!s) return;
  StringClear(s);
  delete s;
}

TCefEntryPoints g_saved;

// The page whose script runs: a context whose frame has the page's address.
std::wstring& PageUrl() {
  static std::wstring url;
  return url;
}

class FakeFrame : public CefObject<FakeFrame, cef_frame_t> {
 public:
  explicit FakeFrame(std::wstring url) : url_(std::move(url)) {
    Bind<&FakeFrame::GetUrl>(cef()->get_url);
  }

 private:
  cef_string_userfree_t GetUrl() {
    cef_string_userfree_t text = g_cef.cef_string_userfree_utf16_alloc();
    g_cef.cef_string_utf16_set(url_.data(), url_.size(), text, 1);
    return text;
  }
  std::wstring url_;
};

class FakeContext : public CefObject<FakeContext, cef_v8context_t> {
 public:
  explicit FakeContext(std::wstring url) : url_(std::move(url)) {
    Bind<&FakeContext::GetFrame>(cef()->get_frame);
  }

 private:
  cef_frame_t* GetFrame() { return CefNew<FakeFrame>(url_).Detach(); }
  std::wstring url_;
};

cef_v8context_t* GetCurrentContext() {
  if (PageUrl().empty()) return nullptr;
  return CefNew<FakeContext>(PageUrl()).Detach();
}

}  // namespace

void SetPageUrl(const std::wstring& url) { PageUrl() = url; }

Installation::Installation() {
  g_saved = g_cef;
  g_cef.cef_v8value_create_undefined = &CreateUndefined;
  g_cef.cef_v8value_create_null = &CreateNull;
  g_cef.cef_v8value_create_bool = &CreateBool;
  g_cef.cef_v8value_create_int = &CreateInt;
  g_cef.cef_v8value_create_uint = &CreateUInt;
  g_cef.cef_v8value_create_double = &CreateDouble;
  g_cef.cef_v8value_create_date = &CreateDate;
  g_cef.cef_v8value_create_string = &CreateString;
  g_cef.cef_v8value_create_object = &CreateObject;
  g_cef.cef_v8value_create_array = &CreateArray;
  g_cef.cef_v8value_create_function = &CreateFunction;
  g_cef.cef_register_extension = &RegisterExtension;
  g_cef.cef_v8context_get_current_context = &GetCurrentContext;
  g_cef.cef_string_utf16_set = &StringSet;
  g_cef.cef_string_utf16_clear = &StringClear;
  g_cef.cef_string_userfree_utf16_alloc = &UserFreeAlloc;
  g_cef.cef_string_userfree_utf16_free = &UserFreeFree;
  Registrations().clear();
  PageUrl() = quirel::HomePageUrl();
}

Installation::~Installation() {
  Registrations().clear();
  g_cef = g_saved;
}

int LiveValues() { return g_live; }

Value Undefined() { return Make(Kind::Undefined); }
Value Null() { return Make(Kind::Null); }
Value Bool(bool v) {
  Value value = Make(Kind::Bool);
  Fake(value)->bool_ = v;
  return value;
}
Value Int(int32 v) { return Double(v); }
Value UInt(uint32 v) { return Double(v); }
Value Double(double v) {
  Value value = Make(Kind::Number);
  Fake(value)->number_ = v;
  return value;
}
Value Date(const cef_time_t& utc) {
  Value value = Make(Kind::Date);
  Fake(value)->date_ = utc;
  return value;
}
Value String(const std::wstring& text) {
  Value value = Make(Kind::String);
  Fake(value)->string_ = text;
  return value;
}
Value Object() { return Make(Kind::Object); }
Value Array(const std::vector<Value>& elements) {
  Value value = Make(Kind::Array);
  Fake(value)->elements_ = elements;
  return value;
}

bool IsUndefined(const Value& v) { return v && v->is_undefined(v.get()); }
bool IsNull(const Value& v) { return v && v->is_null(v.get()); }
bool IsBool(const Value& v) { return v && v->is_bool(v.get()); }
bool IsInt(const Value& v) { return v && v->is_int(v.get()); }
bool IsUInt(const Value& v) { return v && v->is_uint(v.get()); }
bool IsDouble(const Value& v) { return v && v->is_double(v.get()); }
bool IsDate(const Value& v) { return v && v->is_date(v.get()); }
bool IsString(const Value& v) { return v && v->is_string(v.get()); }
bool IsObject(const Value& v) { return v && v->is_object(v.get()); }
bool IsFunction(const Value& v) { return v && v->is_function(v.get()); }
bool BoolOf(const Value& v) { return v->get_bool_value(v.get()) != 0; }
int32 IntOf(const Value& v) { return v->get_int_value(v.get()); }
double DoubleOf(const Value& v) { return v->get_double_value(v.get()); }
cef_time_t DateOf(const Value& v) { return v->get_date_value(v.get()); }
std::wstring StringOf(const Value& v) { return IsString(v) ? Fake(v)->string_ : L""; }

std::vector<std::wstring> Keys(const Value& object) { return Fake(object)->order_; }

std::wstring FunctionName(const Value& function) { return Fake(function)->functionName_; }

bool HasAccessor(const Value& object, const std::wstring& name, bool setter) {
  auto& accessors = Fake(object)->accessors_;
  auto a = accessors.find(name);
  return a != accessors.end() && (setter ? a->second.setter : a->second.getter);
}

Value Get(const Value& object, const std::wstring& key) {
  CefStringArg arg(key);
  return CefAdopt(object->get_value_bykey(object.get(), arg));
}

void Put(const Value& object, const std::wstring& key, const Value& value) {
  CefStringArg arg(key);
  object->set_value_bykey(object.get(), arg, value.Share(), V8_PROPERTY_ATTRIBUTE_NONE);
}

CallResult Call(const Value& function, const Value& self, const std::vector<Value>& args) {
  FakeValue* f = Fake(function);
  if (f->kind_ == Kind::Builtin) return {f->builtin_(self.get(), args), std::nullopt, true};
  return Execute(f->handler_.get(), f->functionName_, self, args);
}

CallResult CallMethod(const Value& object, const std::wstring& name, const std::vector<Value>& args) {
  Value function = Get(object, name);
  if (!IsFunction(function)) return {Undefined(), L"TypeError: " + name + L" is not a function", false};
  return Call(function, object, args);
}

CallResult Execute(cef_v8handler_t* handler, const std::wstring& name, const Value& self,
                   const std::vector<Value>& args) {
  CefStringArg nameArg(name);
  std::vector<cef_v8value_t*> raw;
  for (const Value& a : args) raw.push_back(a.Share());
  cef_v8value_t* retval = nullptr;
  cef_string_t exception{};
  const int handled = handler->execute(handler, nameArg, self.Share(), raw.size(), raw.data(),
                                       &retval, &exception);
  CallResult result;
  result.handled = handled != 0;
  Value returned = CefAdopt(retval);
  const std::wstring text = CefToWString(&exception);
  StringClear(&exception);
  if (handled && !text.empty()) {
    result.exception = text;
    result.value = Undefined();
    return result;
  }
  result.value = handled && returned ? returned : Undefined();
  return result;
}

std::vector<Registration>& Registrations() {
  static std::vector<Registration> registrations;
  return registrations;
}

}  // namespace fakev8
