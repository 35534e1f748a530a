// Native values as script values: the extension's SetValue and the wrappers it builds.
#include <windows.h>

#include "bridge/CefRTTIExtension.h"
#include "bridge/ScriptDates.h"
#include "common/Encoding.h"

namespace quirel {
bool TCefRTTIExtension::SetValue(const TValue& value, script::TScriptValue& result) {
  const TTypeInfo* type = value.Type();
  if (!type) return false;
  switch (type->Kind) {
    case TTypeKind::tkInteger:
      result = type->OrdType == TOrdType::otULong
                   ? script::UInt(static_cast<uint32_t>(value.AsInt64()))
                   : script::Int(static_cast<int32_t>(value.AsInt64()));
      return true;
    case TTypeKind::tkChar:
    case TTypeKind::tkLString:
      result = script::String(AnsiToWide(value.AsAnsiString()));
      return true;
    case TTypeKind::tkWChar:
    case TTypeKind::tkWString:
    case TTypeKind::tkUString:
      result = script::String(value.AsString());
      return true;
    case TTypeKind::tkEnumeration:
      result = type->IsBoolean ? script::Bool(value.AsInt64() != 0)
                               : script::Int(static_cast<int32_t>(value.AsInt64()));
      return true;
    case TTypeKind::tkFloat:
      result = type->IsDateTime ? script::Date(CefTimeFromLocalDateTime(value.AsDouble()))
                                : script::Double(value.AsDouble());
      return true;
    case TTypeKind::tkInt64:
      result = script::Double(static_cast<double>(value.AsInt64()));
      return true;
    case TTypeKind::tkVariant:
      return VariantToScript(value.AsVariant().get(), result);
    case TTypeKind::tkClass:
      return ObjectWrapper(type, value.AsObject(), result);
    case TTypeKind::tkClassRef:
      return ClassWrapper(type, value.AsClass(), result);
    case TTypeKind::tkRecord:
      return RecordWrapper(value, result);
    case TTypeKind::tkInterface:
      if (type->IsScriptValue) {
        if (!value.AsInterface().ScriptValue) return false;
        result = value.AsInterface().ScriptValue;
        return true;
      }
      return InterfaceWrapper(value, result);
    default:
      return false;
  }
}

bool TCefRTTIExtension::VariantToScript(const VARIANT& v, script::TScriptValue& result) {
  switch (v.vt) {
    case VT_EMPTY: result = script::Undefined(); return true;
    case VT_NULL: result = script::Null(); return true;
    case VT_I1: result = script::Int(v.cVal); return true;
    case VT_I2: result = script::Int(v.iVal); return true;
    case VT_I4: result = script::Int(v.lVal); return true;
    case VT_INT: result = script::Int(v.intVal); return true;
    case VT_R4: result = script::Double(v.fltVal); return true;
    case VT_R8: result = script::Double(v.dblVal); return true;
    case VT_CY: result = script::Double(static_cast<double>(v.cyVal.int64) / 10000.0); return true;
    case VT_I8: result = script::Double(static_cast<double>(v.llVal)); return true;
    case VT_UI8: result = script::Double(static_cast<double>(v.ullVal)); return true;
    case VT_BSTR:
      result = script::String(v.bstrVal ? std::wstring(v.bstrVal, SysStringLen(v.bstrVal)) : L"");
      return true;
    case VT_BOOL: result = script::Bool(v.boolVal != VARIANT_FALSE); return true;
    case VT_UI1: result = script::UInt(v.bVal); return true;
    case VT_UI2: result = script::UInt(v.uiVal); return true;
    case VT_UI4: result = script::UInt(v.ulVal); return true;
    case VT_UINT: result = script::UInt(v.uintVal); return true;
    default:  // dates, interfaces, error codes, decimals, arrays, references
      return false;
  }
}

bool TCefRTTIExtension::ClassWrapper(const TTypeInfo* declared, const TRttiClass* cls,
                                     script::TScriptValue& result) {
  const TRttiClass* typed = cls ? cls : declared->ClassData;
  if (!typed || !typed->Type) return false;
  const int32_t identity = cls ? FCtx.ClassHandle(cls) : 0;  // 0: no class, finds nothing
  script::TScriptValue wrapper = script::Object();
  if (!script::SetWrapperData(wrapper.get(), {FCtx.TypeHandle(typed->Type), identity})) return false;
  if (cls) {
    for (const TRttiMethod* method : ClassMethods(cls)) {
      if (!IsExposed(method->Visibility)) continue;
      if (method->Kind != TMethodKind::mkClassProcedure && method->Kind != TMethodKind::mkClassFunction)
        continue;
      script::Set(wrapper.get(), method->Name, NativeFunction(method->Name));
    }
  }
  result = std::move(wrapper);
  return true;
}

bool TCefRTTIExtension::ObjectWrapper(const TTypeInfo* declared, const TObjectRef& object,
                                      script::TScriptValue& result) {
  const TRttiClass* cls = declared->ClassData;
  if (!cls) return false;
  const int32_t identity = object.Instance ? FCtx.ObjectHandle(object) : 0;
  script::TScriptValue wrapper = script::Object();
  if (!script::SetWrapperData(wrapper.get(), {FCtx.TypeHandle(declared), identity})) return false;
  for (const TRttiMethod* method : ClassMethods(cls))
    if (IsExposed(method->Visibility))
      script::Set(wrapper.get(), method->Name, NativeFunction(method->Name));

  script::TScriptValue defineGetter, defineSetter;
  const auto accessors = [&](const std::wstring& name, bool getter, bool setter,
                             const wchar_t* getPrefix, const wchar_t* setPrefix) {
    if (!defineGetter) {
      defineGetter = script::Get(wrapper.get(), L"__defineGetter__");
      defineSetter = script::Get(wrapper.get(), L"__defineSetter__");
    }
    if (getter && defineGetter)
      script::Call(defineGetter.get(), wrapper.get(),
                   {script::String(name), NativeFunction(getPrefix + name)});
    if (setter && defineSetter)
      script::Call(defineSetter.get(), wrapper.get(),
                   {script::String(name), NativeFunction(setPrefix + name)});
  };
  for (const TRttiProperty* property : ClassProperties(cls))
    if (IsExposed(property->Visibility))
      accessors(property->Name, property->IsReadable(), property->IsWritable(), L"$pg", L"$ps");
  for (const TRttiField* field : ClassFields(cls))
    if (IsExposed(field->Visibility)) accessors(field->Name, true, true, L"$vg", L"$vs");
  result = std::move(wrapper);
  return true;
}

bool TCefRTTIExtension::RecordWrapper(const TValue& value, script::TScriptValue& result) {
  const TTypeInfo* type = value.Type();
  const TRttiRecord* record = type->RecordData;
  const TRecordRef& storage = value.AsRecord();
  if (!record || !storage.Storage) return false;
  script::TScriptValue wrapper = script::Object();
  if (!script::SetWrapperData(wrapper.get(), {FCtx.TypeHandle(type)})) return false;
  for (const TRttiField& field : record->Fields) {
    TValue fieldValue;
    script::TScriptValue converted;
    const bool read = RunMember([&] { fieldValue = field.Read(storage.Storage.get()); });
    if (!read || !SetValue(fieldValue, converted)) {
      // Handing reads to the main thread trades strictness for getting the rest across.
      if (FSyncMainThread) continue;
      return false;
    }
    script::Set(wrapper.get(), field.Name, converted);
  }
  result = std::move(wrapper);
  return true;
}

bool TCefRTTIExtension::InterfaceWrapper(const TValue& value, script::TScriptValue& result) {
  const TTypeInfo* type = value.Type();
  const TInterfaceRef& intf = value.AsInterface();
  const int32_t identity = intf.Native ? FCtx.InterfaceHandle(intf.Native) : 0;
  script::TScriptValue wrapper = script::Object();
  if (!script::SetWrapperData(wrapper.get(), {FCtx.TypeHandle(type), identity})) return false;
  if (type->InterfaceData)
    for (const TRttiMethod& method : type->InterfaceData->Methods)
      script::Set(wrapper.get(), method.Name, NativeFunction(method.Name));
  result = std::move(wrapper);
  return true;
}

}  // namespace quirel
