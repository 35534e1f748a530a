#include "bridge/RttiValue.h"

#include "common/Errors.h"

namespace quirel {
namespace {

[[noreturn]] void WrongData(const TValue& value, const wchar_t* wanted) {
  throw Exception(L"Invalid value: a " + std::wstring(wanted) + L" was wanted, the value is of type '" +
                  (value.Type() ? value.Type()->Name : std::wstring(L"(none)")) + L"'");
}

template <typename T>
const T& Get(const TValue& value, const wchar_t* wanted) {
  if (const T* data = std::get_if<T>(&value.Data())) return *data;
  WrongData(value, wanted);
}

}  // namespace

int64_t TValue::AsInt64() const { return Get<int64_t>(*this, L"integer"); }

std::wstring TValue::AsString() const { return Get<std::wstring>(*this, L"string"); }

const std::string& TValue::AsAnsiString() const { return Get<std::string>(*this, L"code-page string"); }

const TOleVariant& TValue::AsVariant() const { return Get<TOleVariant>(*this, L"variant"); }

double TValue::AsDouble() const {
  if (auto v = std::get_if<float>(&data_)) return *v;
  if (auto v = std::get_if<double>(&data_)) return *v;
  if (auto v = std::get_if<long double>(&data_)) return static_cast<double>(*v);
  if (auto v = std::get_if<CY>(&data_)) return static_cast<double>(v->int64) / 10000.0;
  if (auto v = std::get_if<int64_t>(&data_); v && Kind() == TTypeKind::tkFloat)
    return static_cast<double>(*v);
  WrongData(*this, L"floating point number");
}

const TObjectRef& TValue::AsObject() const { return Get<TObjectRef>(*this, L"object"); }

const TRttiClass* TValue::AsClass() const { return Get<const TRttiClass*>(*this, L"class"); }

const TRecordRef& TValue::AsRecord() const { return Get<TRecordRef>(*this, L"record"); }

const TInterfaceRef& TValue::AsInterface() const { return Get<TInterfaceRef>(*this, L"interface"); }

TValue TValue::Clone() const {
  if (const TRecordRef* record = std::get_if<TRecordRef>(&data_);
      record && record->Storage && type_ && type_->RecordData && type_->RecordData->Copy)
    return TValue(type_, TRecordRef{type_->RecordData->Copy(record->Storage.get())});
  return *this;
}

int64_t StoreOrdinal(TOrdType ordType, int64_t value) {
  switch (ordType) {
    case TOrdType::otSByte: return static_cast<int8_t>(value);
    case TOrdType::otUByte: return static_cast<uint8_t>(value);
    case TOrdType::otSWord: return static_cast<int16_t>(value);
    case TOrdType::otUWord: return static_cast<uint16_t>(value);
    case TOrdType::otSLong: return static_cast<int32_t>(value);
    case TOrdType::otULong: return static_cast<uint32_t>(value);
  }
  return value;
}

TValue MakeOrdinal(const TTypeInfo* type, int64_t value) {
  return TValue(type, StoreOrdinal(type->OrdType, value));
}

TValue MakeString(const TTypeInfo* type, std::wstring text) { return TValue(type, std::move(text)); }

TValue MakeObject(const TTypeInfo* type, TObjectRef object) { return TValue(type, std::move(object)); }

TValue MakeClassRef(const TTypeInfo* type, const TRttiClass* cls) { return TValue(type, cls); }

}  // namespace quirel
