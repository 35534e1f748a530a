#include "bridge/RttiClassTypes.h"

namespace quirel::rtti {

void BindClassTypes(TRttiClass& cls, TTypeInfo& type, TTypeInfo& classRef) {
  type.Kind = TTypeKind::tkClass;
  type.Name = cls.Name;
  type.ClassData = &cls;
  classRef.Kind = TTypeKind::tkClassRef;
  classRef.Name = L"class of " + cls.Name;
  classRef.ClassData = &cls;
  cls.Type = &type;
  cls.ClassRefType = &classRef;
}

TRttiMethod Method(std::wstring name, TMethodKind kind, std::initializer_list<TRttiParameter> params,
                   const TTypeInfo* result, TInvokeEntry invoke, TMemberVisibility visibility) {
  TRttiMethod method;
  method.Name = std::move(name);
  method.Visibility = visibility;
  method.Kind = kind;
  method.Parameters = params;
  method.ResultType = result;
  method.Invoke = std::move(invoke);
  return method;
}

}  // namespace quirel::rtti
