// Script values as native values: the extension's ToNativeValue.
#include <windows.h>

#include <cfenv>
#include <cmath>

#include "bridge/CefRTTIExtension.h"
#include "bridge/IntegerText.h"
#include "bridge/ScriptDates.h"
#include "common/Encoding.h"

namespace quirel {
namespace {

bool IsNumber(cef_v8value_t* v) { return v->is_int(v) || v->is_uint(v) || v->is_double(v); }

// Nearest integer, ties to even; false when it does not fit 64 bits.
bool RoundToInt64(long double value, int64_t& result) {
  if (!std::isfinite(value)) return false;
  const long double rounded = std::nearbyintl(value);  // the default mode rounds ties to even
  if (rounded < -9223372036854775808.0L || rounded >= 9223372036854775808.0L) return false;
  result = static_cast<int64_t>(rounded);
  return true;
}

// A number in the storage of the float type.
bool StoreFloat(const TTypeInfo* type, long double number, TValue& result) {
  switch (type->FloatType) {
    case TFloatType::ftSingle:
      result = TValue(type, static_cast<float>(number));
      return true;
    case TFloatType::ftDouble:
      result = TValue(type, static_cast<double>(number));
      return true;
    case TFloatType::ftExtended:
      result = TValue(type, number);
      return true;
    case TFloatType::ftComp: {
      int64_t comp = 0;
      if (!RoundToInt64(number, comp)) return false;
      result = TValue(type, comp);
      return true;
    }
    case TFloatType::ftCurr: {
      CY cy{};
      if (!RoundToInt64(number * 10000.0L, cy.int64)) return false;
      result = TValue(type, cy);
      return true;
    }
  }
  return false;
}

bool WithinRange(const TTypeInfo* type, int64_t value) {
  // Unsigned 32-bit types keep their maximum as -1 when read as signed; compare them unsigned.
  if (type->OrdType == TOrdType::otULong)
    return value >= static_cast<uint32_t>(type->MinValue) && value <= static_cast<uint32_t>(type->MaxValue);
  return value >= type->MinValue && value <= type->MaxValue;
}

}  // namespace

bool TCefRTTIExtension::ToNativeValue(const TTypeInfo* type, cef_v8value_t* source, TValue& result) {
  if (!type || !source) return false;
  switch (type->Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkEnumeration: {
      int64_t value = 0;
      if (source->is_bool(source)) {
        // The engine's integer reading of a boolean is 0 whatever its value.
        value = source->get_bool_value(source) ? 1 : 0;
      } else if (source->is_int(source)) {
        value = source->get_int_value(source);
      } else if (type->OrdType == TOrdType::otULong && source->is_uint(source)) {
        value = source->get_uint_value(source);
      } else {
        return false;
      }
      if (!WithinRange(type, value)) return false;
      result = MakeOrdinal(type, value);
      return true;
    }
    case TTypeKind::tkSet:
      if (!source->is_int(source)) return false;
      result = MakeOrdinal(type, source->get_int_value(source));
      return true;
    case TTypeKind::tkInt64:
      result = TValue(type, StrToInt64(script::StringValue(source)));
      return true;
    case TTypeKind::tkFloat:
      if (source->is_date(source)) {
        // Stored in the parameter's own format, whatever its width.
        return StoreFloat(type, LocalDateTimeFromCefTime(source->get_date_value(source)), result);
      }
      if (!IsNumber(source)) return false;
      return StoreFloat(type, source->get_double_value(source), result);
    case TTypeKind::tkUString:
    case TTypeKind::tkWString:
      if (!source->is_string(source)) return false;
      result = TValue(type, script::StringValue(source));
      return true;
    case TTypeKind::tkLString:
      if (!source->is_string(source)) return false;
      result = TValue(type, WideToAnsi(script::StringValue(source)));
      return true;
    case TTypeKind::tkVariant: {
      TOleVariant variant;
      if (!ScriptToVariant(source, variant)) return false;
      result = TValue(type, std::move(variant));
      return true;
    }
    case TTypeKind::tkClass: {
      const TRttiClass* target = type->ClassData;
      const auto data = source->is_object(source) ? script::WrapperData(source) : std::nullopt;
      if (!target || !data || data->size() < 2) return false;
      const TTypeInfo* declared = FCtx.FindType((*data)[0]);
      if (!declared || declared->Kind != TTypeKind::tkClass || !declared->ClassData ||
          !declared->ClassData->InheritsFrom(target))
        return false;
      // A class wrapper carries a class, not an object: it does not pass for one.
      const auto entry = FCtx.Find((*data)[1]);
      if (!entry || entry->Kind != TRttiContext::TEntryKind::Object || !entry->Object.Class ||
          !entry->Object.Class->InheritsFrom(target))
        return false;
      result = MakeObject(type, entry->Object);
      return true;
    }
    case TTypeKind::tkClassRef: {
      const TRttiClass* target = type->ClassData;
      const auto data = source->is_object(source) ? script::WrapperData(source) : std::nullopt;
      if (!target || !data || data->size() < 2) return false;
      const TTypeInfo* declared = FCtx.FindType((*data)[0]);
      if (!declared || declared->Kind != TTypeKind::tkClassRef) return false;
      const auto entry = FCtx.Find((*data)[1]);
      if (!entry || entry->Kind != TRttiContext::TEntryKind::Class || !entry->Class ||
          !entry->Class->InheritsFrom(target))
        return false;
      result = MakeClassRef(type, entry->Class);
      return true;
    }
    case TTypeKind::tkRecord:
      return ScriptToRecord(type, source, result);
    case TTypeKind::tkInterface:
      if (!type->IsScriptValue) return false;
      result = TValue(type, TInterfaceRef{CefRef<cef_v8value_t>::Retain(source), nullptr});
      return true;
    default:  // characters, short strings, pointers, arrays, method pointers, untyped
      return false;
  }
}

bool TCefRTTIExtension::ScriptToVariant(cef_v8value_t* source, TOleVariant& result) {
  if (source->is_string(source)) {
    result = TOleVariant::FromString(script::StringValue(source));
  } else if (source->is_bool(source)) {
    result = TOleVariant::FromBool(source->get_bool_value(source) != 0);
  } else if (source->is_int(source)) {
    result = TOleVariant::FromInt(source->get_int_value(source));
  } else if (IsNumber(source)) {
    result = TOleVariant::FromDouble(source->get_double_value(source));
  } else if (source->is_undefined(source)) {
    result = TOleVariant();
  } else if (source->is_null(source)) {
    result = TOleVariant::Null();
  } else if (source->is_array(source)) {
    const int length = source->get_array_length(source);
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(length));
    if (!array) throw Exception(L"Out of memory for a variant array");
    TOleVariant converted = TOleVariant::FromArray(array, VT_VARIANT);
    for (LONG i = 0; i < length; ++i) {
      script::TScriptValue element = script::Get(source, static_cast<int>(i));
      TOleVariant item;
      if (!element || !ScriptToVariant(element.get(), item)) return false;
      const HRESULT hr = SafeArrayPutElement(array, &i, const_cast<VARIANT*>(&item.get()));
      if (FAILED(hr)) throw Exception(L"Variant array element could not be set: " +
                                      SysErrorMessage(static_cast<uint32_t>(hr)));
    }
    result = std::move(converted);
  } else {
    return false;  // objects, dates, functions
  }
  return true;
}

bool TCefRTTIExtension::ScriptToRecord(const TTypeInfo* type, cef_v8value_t* source, TValue& result) {
  const TRttiRecord* record = type->RecordData;
  if (!record || !record->New || !source->is_object(source)) return false;
  TValue filled(type, TRecordRef{record->New()});
  void* storage = filled.AsRecord().Storage.get();
  for (const TRttiField& field : record->Fields) {
    script::TScriptValue property = script::Get(source, field.Name);
    TValue fieldValue;
    if (!property || !ToNativeValue(field.Type, property.get(), fieldValue)) {
      result = std::move(filled);  // what was converted so far stays written
      return false;
    }
    field.Write(storage, fieldValue);
  }
  result = std::move(filled);
  return true;
}

}  // namespace quirel
