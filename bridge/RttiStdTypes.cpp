#include "bridge/RttiStdTypes.h"

#include <windows.h>

#include <cstring>
#include <memory>

#include "bridge/RttiValue.h"

namespace quirel::rtti {
namespace {

TTypeInfo Ordinal(const wchar_t* name, TOrdType ordType, int32_t min, int32_t max) {
  TTypeInfo t;
  t.Kind = TTypeKind::tkInteger;
  t.Name = name;
  t.OrdType = ordType;
  t.MinValue = min;
  t.MaxValue = max;
  return t;
}

TTypeInfo Float(const wchar_t* name, TFloatType floatType, bool dateTime = false) {
  TTypeInfo t;
  t.Kind = TTypeKind::tkFloat;
  t.Name = name;
  t.FloatType = floatType;
  t.IsDateTime = dateTime;
  return t;
}

TTypeInfo Plain(const wchar_t* name, TTypeKind kind) {
  TTypeInfo t;
  t.Kind = kind;
  t.Name = name;
  return t;
}

TTypeInfo MakeBoolean() {
  TTypeInfo t = Ordinal(L"Boolean", TOrdType::otUByte, 0, 1);
  t.Kind = TTypeKind::tkEnumeration;
  t.IsBoolean = true;
  return t;
}

TTypeInfo MakeScriptValue() {
  TTypeInfo t = Plain(L"ICefv8Value", TTypeKind::tkInterface);
  t.IsScriptValue = true;
  return t;
}

template <typename Field>
TRttiField GuidField(const wchar_t* name, const TTypeInfo* type, Field GUID::*member) {
  TRttiField field;
  field.Name = name;
  field.Type = type;
  field.Read = [type, member](const void* record) {
    return MakeOrdinal(type, static_cast<const GUID*>(record)->*member);
  };
  field.Write = [member](void* record, const TValue& value) {
    static_cast<GUID*>(record)->*member = static_cast<Field>(value.AsInt64());
  };
  return field;
}

TRttiField GuidBytes() {
  static const TTypeInfo bytes = Plain(L"array[0..7] of Byte", TTypeKind::tkArray);
  TRttiField field;
  field.Name = L"D4";
  field.Type = &bytes;
  // Static arrays never convert; the accessors exist for completeness of the record.
  field.Read = [](const void*) -> TValue { return TValue(&bytes, std::monostate{}); };
  field.Write = [](void*, const TValue&) {};
  return field;
}

}  // namespace

#define QUIREL_STD_TYPE(fn, expr) \
  const TTypeInfo* fn() {         \
    static const TTypeInfo t = expr; \
    return &t;                    \
  }

QUIREL_STD_TYPE(ShortInt, Ordinal(L"ShortInt", TOrdType::otSByte, -128, 127))
QUIREL_STD_TYPE(Byte, Ordinal(L"Byte", TOrdType::otUByte, 0, 255))
QUIREL_STD_TYPE(SmallInt, Ordinal(L"SmallInt", TOrdType::otSWord, -32768, 32767))
QUIREL_STD_TYPE(Word, Ordinal(L"Word", TOrdType::otUWord, 0, 65535))
QUIREL_STD_TYPE(Integer, Ordinal(L"Integer", TOrdType::otSLong, INT32_MIN, INT32_MAX))
QUIREL_STD_TYPE(Cardinal, Ordinal(L"Cardinal", TOrdType::otULong, 0, -1))
QUIREL_STD_TYPE(Boolean, MakeBoolean())
QUIREL_STD_TYPE(Int64, Plain(L"Int64", TTypeKind::tkInt64))
QUIREL_STD_TYPE(Single, Float(L"Single", TFloatType::ftSingle))
QUIREL_STD_TYPE(Double, Float(L"Double", TFloatType::ftDouble))
QUIREL_STD_TYPE(Extended, Float(L"Extended", TFloatType::ftExtended))
QUIREL_STD_TYPE(Comp, Float(L"Comp", TFloatType::ftComp))
QUIREL_STD_TYPE(Currency, Float(L"Currency", TFloatType::ftCurr))
QUIREL_STD_TYPE(DateTime, Float(L"TDateTime", TFloatType::ftDouble, true))
QUIREL_STD_TYPE(String, Plain(L"string", TTypeKind::tkUString))
QUIREL_STD_TYPE(WideString, Plain(L"WideString", TTypeKind::tkWString))
QUIREL_STD_TYPE(AnsiString, Plain(L"AnsiString", TTypeKind::tkLString))
QUIREL_STD_TYPE(ShortString, Plain(L"ShortString", TTypeKind::tkString))
QUIREL_STD_TYPE(Char, Plain(L"Char", TTypeKind::tkWChar))
QUIREL_STD_TYPE(AnsiChar, Plain(L"AnsiChar", TTypeKind::tkChar))
QUIREL_STD_TYPE(Variant, Plain(L"Variant", TTypeKind::tkVariant))
QUIREL_STD_TYPE(Pointer, Plain(L"Pointer", TTypeKind::tkPointer))
QUIREL_STD_TYPE(Untyped, Plain(L"", TTypeKind::tkUnknown))
QUIREL_STD_TYPE(ScriptValue, MakeScriptValue())

#undef QUIREL_STD_TYPE

const TTypeInfo* Guid() {
  static const TRttiRecord record{
      L"TGUID",
      [] { return std::shared_ptr<void>(std::make_shared<GUID>()); },
      [](const void* from) { return std::shared_ptr<void>(std::make_shared<GUID>(*static_cast<const GUID*>(from))); },
      {GuidField(L"D1", Cardinal(), &GUID::Data1), GuidField(L"D2", Word(), &GUID::Data2),
       GuidField(L"D3", Word(), &GUID::Data3), GuidBytes()}};
  static const TTypeInfo type = [] {
    TTypeInfo t = Plain(L"TGUID", TTypeKind::tkRecord);
    t.RecordData = &record;
    return t;
  }();
  return &type;
}

}  // namespace quirel::rtti
