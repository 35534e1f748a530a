#include "standin/browser/Values.h"

#include <atomic>
#include <cstdio>
#include <mutex>

#include "engine/capi/CefObject.h"
#include "standin/core/Leftovers.h"
#include "standin/core/NoDestructor.h"
#include "standin/core/Trace.h"
#include "standin/exports/Exports.h"
#include "standin/exports/Unsupported.h"
#include "standin/strings/EngineStrings.h"
#include "standin/strings/StringCollections.h"

namespace quirel::standin {
namespace {

// Containers share their data with the views taken of them, so one lock
// guards all values.
std::recursive_mutex& ValuesMutex() {
  static NoDestructor<std::recursive_mutex> mutex;
  return mutex.get();
}

std::string KeyBody(const std::wstring& key) {
  const std::string quoted = JsonString(key);
  return quoted.substr(1, quoted.size() - 2);  // Raw keys get their quotes back
}

JsonObject& AddJson(JsonObject& object, std::string_view key, const ValueData& value);

JsonObject DictionaryJson(const DictionaryData& data) {
  JsonObject object;
  for (const auto& [key, value] : data) AddJson(object, KeyBody(key), value);
  return object;
}

std::wstring DoubleText(double value) {
  char text[40];
  std::snprintf(text, sizeof(text), "%.17g", value);
  return std::wstring(text, text + std::char_traits<char>::length(text));
}

JsonObject& AddJson(JsonObject& object, std::string_view key, const ValueData& value) {
  switch (value.type) {
    case VTYPE_BOOL:
      return object.Bool(key, value.boolean);
    case VTYPE_INT:
      return object.Int(key, value.integer);
    case VTYPE_DOUBLE:
      return object.Text(key, DoubleText(value.real));
    case VTYPE_STRING:
      return object.Text(key, value.text);
    case VTYPE_DICTIONARY:
      return object.Object(key, value.dictionary ? DictionaryJson(*value.dictionary) : JsonObject());
    default:
      return object.Null(key);
  }
}

const char* TypeName(cef_value_type_t type) {
  switch (type) {
    case VTYPE_NULL: return "null";
    case VTYPE_BOOL: return "bool";
    case VTYPE_INT: return "int";
    case VTYPE_DOUBLE: return "double";
    case VTYPE_STRING: return "string";
    case VTYPE_BINARY: return "binary";
    case VTYPE_DICTIONARY: return "dictionary";
    case VTYPE_LIST: return "list";
    default: return "invalid";
  }
}

ValueData Scalar(cef_value_type_t type) {
  ValueData data;
  data.type = type;
  return data;
}

class DictionaryObject;

class ValueObject : public CefObject<ValueObject, cef_value_t> {
  leftovers::Counted counted_{"value"};

 public:
  explicit ValueObject(ValueData data)
      : data_(std::make_shared<ValueData>(std::move(data))), object_(trace::NextObjectId()) {
    cef_value_t* s = cef();
    s->is_valid = &IsValidMark;
    Bind<&ValueObject::IsOwned>(s->is_owned);
    Bind<&ValueObject::IsReadOnly>(s->is_read_only);
    Bind<&ValueObject::IsSame>(s->is_same);
    Bind<&ValueObject::IsEqual>(s->is_equal);
    Bind<&ValueObject::Copy>(s->copy);
    Bind<&ValueObject::GetType>(s->get_type);
    Bind<&ValueObject::GetBool>(s->get_bool);
    Bind<&ValueObject::GetInt>(s->get_int);
    Bind<&ValueObject::GetDouble>(s->get_double);
    Bind<&ValueObject::GetString>(s->get_string);
    Bind<&ValueObject::GetBinary>(s->get_binary);
    Bind<&ValueObject::GetDictionary>(s->get_dictionary);
    Bind<&ValueObject::GetList>(s->get_list);
    Bind<&ValueObject::SetNull>(s->set_null);
    Bind<&ValueObject::SetBool>(s->set_bool);
    Bind<&ValueObject::SetInt>(s->set_int);
    Bind<&ValueObject::SetDouble>(s->set_double);
    Bind<&ValueObject::SetString>(s->set_string);
    Bind<&ValueObject::SetBinary>(s->set_binary);
    Bind<&ValueObject::SetDictionary>(s->set_dictionary);
    Bind<&ValueObject::SetList>(s->set_list);
  }

  ValueData Data() {
    std::lock_guard lock(ValuesMutex());
    return *data_;
  }

  // is_valid doubles as the mark of our own values.
  static int CEF_CALLBACK IsValidMark(cef_value_t*) { return 1; }
  static ValueObject* Ours(cef_value_t* value) {
    return value && value->is_valid == &IsValidMark ? FromSelf(value) : nullptr;
  }

 private:
  int IsOwned() { return 0; }
  int IsReadOnly() { return 0; }
  int IsSame(cef_value_t* that) {
    CefRef<cef_value_t> held = CefAdopt(that);
    return that == cef();
  }
  int IsEqual(cef_value_t* that) {
    CefRef<cef_value_t> held = CefAdopt(that);
    if (!that) return 0;
    return Data() == ValueOf(that);
  }
  cef_value_t* Copy() { return NewValue(Data().Copy()).Detach(); }
  cef_value_type_t GetType() { return Data().type; }
  int GetBool() {
    const ValueData data = Data();
    return data.type == VTYPE_BOOL && data.boolean;
  }
  int GetInt() {
    const ValueData data = Data();
    return data.type == VTYPE_INT ? data.integer : 0;
  }
  double GetDouble() {
    const ValueData data = Data();
    return data.type == VTYPE_DOUBLE ? data.real : data.type == VTYPE_INT ? data.integer : 0;
  }
  cef_string_userfree_t GetString() {
    const ValueData data = Data();
    return data.type == VTYPE_STRING ? NewUserFreeString(data.text) : nullptr;
  }
  cef_binary_value_t* GetBinary() { return nullptr; }
  cef_dictionary_value_t* GetDictionary() {
    const ValueData data = Data();
    if (data.type != VTYPE_DICTIONARY) return nullptr;
    return NewDictionary(data.dictionary, true, false).Detach();
  }
  cef_list_value_t* GetList() { return nullptr; }
  int Set(ValueData data) {
    trace::Method("value.set", object_).Object("value", ValueJson(data));
    std::lock_guard lock(ValuesMutex());
    *data_ = std::move(data);
    return 1;
  }
  int SetNull() { return Set(Scalar(VTYPE_NULL)); }
  int SetBool(int value) {
    ValueData data = Scalar(VTYPE_BOOL);
    data.boolean = value != 0;
    return Set(std::move(data));
  }
  int SetInt(int value) {
    ValueData data = Scalar(VTYPE_INT);
    data.integer = value;
    return Set(std::move(data));
  }
  int SetDouble(double value) {
    ValueData data = Scalar(VTYPE_DOUBLE);
    data.real = value;
    return Set(std::move(data));
  }
  int SetString(const cef_string_t* value) {
    ValueData data = Scalar(VTYPE_STRING);
    data.text = ToWString(value);
    return Set(std::move(data));
  }
  int SetBinary(cef_binary_value_t* value) {
    ReleaseArguments(value);
    return 0;
  }
  int SetDictionary(cef_dictionary_value_t* value);
  int SetList(cef_list_value_t* value) {
    ReleaseArguments(value);
    return 0;
  }

  std::shared_ptr<ValueData> data_;
  const long long object_;
};

class DictionaryObject : public CefObject<DictionaryObject, cef_dictionary_value_t> {
  leftovers::Counted counted_{"dictionary_value"};

 public:
  DictionaryObject(std::shared_ptr<DictionaryData> data, bool owned, bool read_only)
      : data_(data ? std::move(data) : std::make_shared<DictionaryData>()),
        owned_(owned),
        read_only_(read_only),
        object_(trace::NextObjectId()) {
    cef_dictionary_value_t* s = cef();
    s->is_valid = &IsValidMark;
    Bind<&DictionaryObject::IsOwned>(s->is_owned);
    Bind<&DictionaryObject::IsReadOnly>(s->is_read_only);
    Bind<&DictionaryObject::IsSame>(s->is_same);
    Bind<&DictionaryObject::IsEqual>(s->is_equal);
    Bind<&DictionaryObject::Copy>(s->copy);
    Bind<&DictionaryObject::GetSize>(s->get_size);
    Bind<&DictionaryObject::Clear>(s->clear);
    Bind<&DictionaryObject::HasKey>(s->has_key);
    Bind<&DictionaryObject::GetKeys>(s->get_keys);
    Bind<&DictionaryObject::Remove>(s->remove);
    Bind<&DictionaryObject::GetType>(s->get_type);
    Bind<&DictionaryObject::GetValue>(s->get_value);
    Bind<&DictionaryObject::GetBool>(s->get_bool);
    Bind<&DictionaryObject::GetInt>(s->get_int);
    Bind<&DictionaryObject::GetDouble>(s->get_double);
    Bind<&DictionaryObject::GetString>(s->get_string);
    Bind<&DictionaryObject::GetBinary>(s->get_binary);
    Bind<&DictionaryObject::GetDictionary>(s->get_dictionary);
    Bind<&DictionaryObject::GetList>(s->get_list);
    Bind<&DictionaryObject::SetValue>(s->set_value);
    Bind<&DictionaryObject::SetNull>(s->set_null);
    Bind<&DictionaryObject::SetBool>(s->set_bool);
    Bind<&DictionaryObject::SetInt>(s->set_int);
    Bind<&DictionaryObject::SetDouble>(s->set_double);
    Bind<&DictionaryObject::SetString>(s->set_string);
    Bind<&DictionaryObject::SetBinary>(s->set_binary);
    Bind<&DictionaryObject::SetDictionary>(s->set_dictionary);
    Bind<&DictionaryObject::SetList>(s->set_list);
  }

  // is_valid doubles as the mark of our own dictionaries.
  static DictionaryObject* Ours(cef_dictionary_value_t* value) {
    return value && value->is_valid == &IsValidMark ? FromSelf(value) : nullptr;
  }

  // Gives the data to a new owner: shared when this object owned nothing
  // (it becomes invalid), else a copy. Null for an invalid dictionary.
  std::shared_ptr<DictionaryData> Adopt() {
    std::lock_guard lock(ValuesMutex());
    if (!valid_) return nullptr;
    if (owned_) return CopyDictionary(*data_, false);
    valid_ = false;
    return data_;
  }

 private:
  static int CEF_CALLBACK IsValidMark(cef_dictionary_value_t* self) {
    return FromSelf(self)->IsValid();
  }

  // Null when the key holds nothing or the dictionary is invalid.
  const ValueData* Find(const cef_string_t* key) {
    if (!valid_) return nullptr;
    const auto it = data_->find(ToWString(key));
    return it == data_->end() ? nullptr : &it->second;
  }
  bool Writable() const { return valid_ && !read_only_; }

  int IsValid() {
    std::lock_guard lock(ValuesMutex());
    return valid_;
  }
  int IsOwned() { return owned_; }
  int IsReadOnly() { return read_only_; }
  int IsSame(cef_dictionary_value_t* that) {
    CefRef<cef_dictionary_value_t> held = CefAdopt(that);
    DictionaryObject* other = Ours(that);
    std::lock_guard lock(ValuesMutex());
    return other && valid_ && other->data_ == data_;
  }
  int IsEqual(cef_dictionary_value_t* that) {
    CefRef<cef_dictionary_value_t> held = CefAdopt(that);
    DictionaryObject* other = Ours(that);
    std::lock_guard lock(ValuesMutex());
    if (!other || !valid_ || !other->valid_) return 0;
    return *other->data_ == *data_;
  }
  cef_dictionary_value_t* Copy(int exclude_empty_children) {
    std::lock_guard lock(ValuesMutex());
    if (!valid_) return nullptr;
    return NewDictionary(CopyDictionary(*data_, exclude_empty_children != 0), false, false)
        .Detach();
  }
  size_t GetSize() {
    std::lock_guard lock(ValuesMutex());
    return valid_ ? data_->size() : 0;
  }
  int Clear() {
    std::lock_guard lock(ValuesMutex());
    if (!Writable()) return 0;
    data_->clear();
    return 1;
  }
  int HasKey(const cef_string_t* key) {
    std::lock_guard lock(ValuesMutex());
    return Find(key) != nullptr;
  }
  int GetKeys(cef_string_list_t keys) {
    std::lock_guard lock(ValuesMutex());
    if (!valid_ || !keys) return 0;
    for (const auto& entry : *data_) AppendToList(keys, entry.first);
    return 1;
  }
  int Remove(const cef_string_t* key) {
    std::lock_guard lock(ValuesMutex());
    if (!Writable()) return 0;
    return data_->erase(ToWString(key)) > 0;
  }
  cef_value_type_t GetType(const cef_string_t* key) {
    std::lock_guard lock(ValuesMutex());
    const ValueData* found = Find(key);
    return found ? found->type : VTYPE_INVALID;
  }
  cef_value_t* GetValue(const cef_string_t* key) {
    std::lock_guard lock(ValuesMutex());
    const ValueData* found = Find(key);
    return found ? NewValue(*found).Detach() : nullptr;
  }
  int GetBool(const cef_string_t* key) {
    std::lock_guard lock(ValuesMutex());
    const ValueData* found = Find(key);
    return found && found->type == VTYPE_BOOL && found->boolean;
  }
  int GetInt(const cef_string_t* key) {
    std::lock_guard lock(ValuesMutex());
    const ValueData* found = Find(key);
    return found && found->type == VTYPE_INT ? found->integer : 0;
  }
  double GetDouble(const cef_string_t* key) {
    std::lock_guard lock(ValuesMutex());
    const ValueData* found = Find(key);
    if (!found) return 0;
    return found->type == VTYPE_DOUBLE ? found->real : found->type == VTYPE_INT ? found->integer : 0;
  }
  cef_string_userfree_t GetString(const cef_string_t* key) {
    std::lock_guard lock(ValuesMutex());
    const ValueData* found = Find(key);
    return found && found->type == VTYPE_STRING ? NewUserFreeString(found->text) : nullptr;
  }
  cef_binary_value_t* GetBinary(const cef_string_t*) { return nullptr; }
  cef_dictionary_value_t* GetDictionary(const cef_string_t* key) {
    std::lock_guard lock(ValuesMutex());
    const ValueData* found = Find(key);
    if (!found || found->type != VTYPE_DICTIONARY) return nullptr;
    return NewDictionary(found->dictionary, true, read_only_).Detach();
  }
  cef_list_value_t* GetList(const cef_string_t*) { return nullptr; }
  int Put(const cef_string_t* key, ValueData data) {
    std::lock_guard lock(ValuesMutex());
    if (!Writable()) return 0;
    (*data_)[ToWString(key)] = std::move(data);
    return 1;
  }
  int SetValue(const cef_string_t* key, cef_value_t* value) {
    CefRef<cef_value_t> held = CefAdopt(value);
    if (!value) return 0;
    const ValueData data = ValueOf(value);
    if (data.type == VTYPE_INVALID) return 0;
    return Put(key, data.Copy());
  }
  int SetNull(const cef_string_t* key) { return Put(key, Scalar(VTYPE_NULL)); }
  int SetBool(const cef_string_t* key, int value) {
    ValueData data = Scalar(VTYPE_BOOL);
    data.boolean = value != 0;
    return Put(key, std::move(data));
  }
  int SetInt(const cef_string_t* key, int value) {
    ValueData data = Scalar(VTYPE_INT);
    data.integer = value;
    return Put(key, std::move(data));
  }
  int SetDouble(const cef_string_t* key, double value) {
    ValueData data = Scalar(VTYPE_DOUBLE);
    data.real = value;
    return Put(key, std::move(data));
  }
  int SetString(const cef_string_t* key, const cef_string_t* value) {
    ValueData data = Scalar(VTYPE_STRING);
    data.text = ToWString(value);
    return Put(key, std::move(data));
  }
  int SetBinary(const cef_string_t*, cef_binary_value_t* value) {
    ReleaseArguments(value);
    return 0;
  }
  int SetDictionary(const cef_string_t* key, cef_dictionary_value_t* value) {
    CefRef<cef_dictionary_value_t> held = CefAdopt(value);
    DictionaryObject* other = Ours(value);
    if (!other || other == this) return 0;
    {
      std::lock_guard lock(ValuesMutex());
      if (!Writable()) return 0;
    }
    ValueData data = Scalar(VTYPE_DICTIONARY);
    data.dictionary = other->Adopt();
    if (!data.dictionary) return 0;
    return Put(key, std::move(data));
  }
  int SetList(const cef_string_t*, cef_list_value_t* value) {
    ReleaseArguments(value);
    return 0;
  }

  std::shared_ptr<DictionaryData> data_;
  const bool owned_;
  const bool read_only_;
  const long long object_;
  bool valid_ = true;
};

int ValueObject::SetDictionary(cef_dictionary_value_t* value) {
  CefRef<cef_dictionary_value_t> held = CefAdopt(value);
  DictionaryObject* dictionary = DictionaryObject::Ours(value);
  if (!dictionary) return 0;
  ValueData data = Scalar(VTYPE_DICTIONARY);
  data.dictionary = dictionary->Adopt();
  if (!data.dictionary) return 0;
  return Set(std::move(data));
}

}  // namespace

std::shared_ptr<DictionaryData> CopyDictionary(const DictionaryData& data, bool exclude_empty) {
  auto copy = std::make_shared<DictionaryData>();
  for (const auto& [key, value] : data) {
    if (exclude_empty && value.type == VTYPE_DICTIONARY &&
        (!value.dictionary || value.dictionary->empty()))
      continue;
    (*copy)[key] = value.Copy(exclude_empty);
  }
  return copy;
}

ValueData ValueData::Copy(bool exclude_empty) const {
  ValueData copy = *this;
  if (type == VTYPE_DICTIONARY) {
    copy.dictionary = dictionary ? CopyDictionary(*dictionary, exclude_empty)
                                 : std::make_shared<DictionaryData>();
  }
  return copy;
}

bool operator==(const ValueData& a, const ValueData& b) {
  if (a.type != b.type) return false;
  switch (a.type) {
    case VTYPE_BOOL: return a.boolean == b.boolean;
    case VTYPE_INT: return a.integer == b.integer;
    case VTYPE_DOUBLE: return a.real == b.real;
    case VTYPE_STRING: return a.text == b.text;
    case VTYPE_DICTIONARY:
      if (!a.dictionary || !b.dictionary) return a.dictionary == b.dictionary;
      return *a.dictionary == *b.dictionary;
    default: return true;
  }
}

ValueData ValueOf(cef_value_t* value) {
  if (const ValueObject* ours = ValueObject::Ours(value)) return const_cast<ValueObject*>(ours)->Data();
  // A value of the program's own making: read what it says it holds.
  ValueData data = Scalar(VTYPE_INVALID);
  if (!value || !value->get_type) return data;
  data.type = value->get_type(value);
  switch (data.type) {
    case VTYPE_BOOL: data.boolean = value->get_bool && value->get_bool(value); break;
    case VTYPE_INT: data.integer = value->get_int ? value->get_int(value) : 0; break;
    case VTYPE_DOUBLE: data.real = value->get_double ? value->get_double(value) : 0; break;
    case VTYPE_STRING:
      if (value->get_string) {
        cef_string_userfree_t text = value->get_string(value);
        data.text = ToWString(text);
        if (text) cef_string_userfree_utf16_free(text);
      }
      break;
    case VTYPE_NULL: break;
    default: data.type = VTYPE_INVALID; break;
  }
  return data;
}

JsonObject ValueJson(const ValueData& value) {
  JsonObject object;
  object.Text("type", std::wstring(TypeName(value.type), TypeName(value.type) +
                                   std::char_traits<char>::length(TypeName(value.type))));
  return AddJson(object, "value", value);
}

CefRef<cef_value_t> NewValue(ValueData data) { return CefNew<ValueObject>(std::move(data)); }

CefRef<cef_dictionary_value_t> NewDictionary(std::shared_ptr<DictionaryData> data, bool owned,
                                             bool read_only) {
  return CefNew<DictionaryObject>(std::move(data), owned, read_only);
}

}  // namespace quirel::standin
