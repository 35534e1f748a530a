#include "bridge/RttiRoot.h"

#include <cstring>
#include <functional>
#include <memory>

#include "bridge/RttiClassTypes.h"
#include "bridge/RttiStdTypes.h"
#include "bridge/RttiValue.h"

namespace quirel::rtti {
namespace {

using K = TMethodKind;

TValue NilPointer() { return TValue(Pointer(), std::monostate{}); }

TValue Bool(bool value) { return MakeOrdinal(Boolean(), value ? 1 : 0); }

std::wstring UnitScopeOf(const std::wstring& unit) {
  const std::size_t dot = unit.rfind(L'.');
  return dot == std::wstring::npos ? unit : unit.substr(0, dot);
}

// A zero-filled block of the class's instance size: an instance no constructor ran on.
TObjectRef NewZeroedInstance(const TRttiClass* cls) {
  const std::size_t size = cls->InstanceSize > 0 ? static_cast<std::size_t>(cls->InstanceSize) : 1;
  std::shared_ptr<std::byte[]> block(new std::byte[size]());
  return TObjectRef{std::shared_ptr<void>(block, block.get()), cls};
}

void AddClassMethods(TRttiClass& root) {
  const TTypeInfo* objectType = root.Type;
  const TTypeInfo* classType = root.ClassRefType;
  auto& m = root.Methods;
  m.push_back(Method(L"InitInstance", K::mkClassFunction, {{L"Instance", Pointer()}}, objectType,
                     [objectType](const TInvokeTarget&, std::span<const TValue>) {
                       // No script value converts to a pointer, so this is never reached.
                       return TValue(objectType, TObjectRef{});
                     }));
  m.push_back(Method(L"ClassName", K::mkClassFunction, {}, String(),
                     [](const TInvokeTarget& t, std::span<const TValue>) {
                       return MakeString(String(), t.Class->Name);
                     }));
  m.push_back(Method(L"ClassNameIs", K::mkClassFunction, {{L"Name", String(), pfConst}}, Boolean(),
                     [](const TInvokeTarget& t, std::span<const TValue> a) {
                       return Bool(SameText(t.Class->Name, a[0].AsString()));
                     }));
  m.push_back(Method(L"ClassParent", K::mkClassFunction, {}, classType,
                     [classType](const TInvokeTarget& t, std::span<const TValue>) {
                       return MakeClassRef(classType, t.Class->Parent);
                     }));
  m.push_back(Method(L"ClassInfo", K::mkClassFunction, {}, Pointer(),
                     [](const TInvokeTarget&, std::span<const TValue>) { return NilPointer(); }));
  m.push_back(Method(L"InstanceSize", K::mkClassFunction, {}, Integer(),
                     [](const TInvokeTarget& t, std::span<const TValue>) {
                       return MakeOrdinal(Integer(), t.Class->InstanceSize);
                     }));
  m.push_back(Method(L"InheritsFrom", K::mkClassFunction, {{L"AClass", classType}}, Boolean(),
                     [](const TInvokeTarget& t, std::span<const TValue> a) {
                       return Bool(t.Class->InheritsFrom(a[0].AsClass()));
                     }));
  // Registered classes publish no method addresses.
  m.push_back(Method(L"MethodAddress", K::mkClassFunction, {{L"Name", ShortString(), pfConst}},
                     Pointer(), [](const TInvokeTarget&, std::span<const TValue>) { return NilPointer(); }));
  m.push_back(Method(L"MethodAddress", K::mkClassFunction, {{L"Name", String(), pfConst}}, Pointer(),
                     [](const TInvokeTarget&, std::span<const TValue>) { return NilPointer(); }));
  m.push_back(Method(L"MethodName", K::mkClassFunction, {{L"Address", Pointer()}}, String(),
                     [](const TInvokeTarget&, std::span<const TValue>) { return MakeString(String(), L""); }));
  m.push_back(Method(L"QualifiedClassName", K::mkClassFunction, {}, String(),
                     [](const TInvokeTarget& t, std::span<const TValue>) {
                       return MakeString(String(), t.Class->UnitName + L"." + t.Class->Name);
                     }));
  // Registered classes implement no interfaces of their own.
  m.push_back(Method(L"GetInterfaceEntry", K::mkClassFunction, {{L"IID", Guid(), pfConst}}, Pointer(),
                     [](const TInvokeTarget&, std::span<const TValue>) { return NilPointer(); }));
  m.push_back(Method(L"GetInterfaceTable", K::mkClassFunction, {}, Pointer(),
                     [](const TInvokeTarget&, std::span<const TValue>) { return NilPointer(); }));
  m.push_back(Method(L"UnitName", K::mkClassFunction, {}, String(),
                     [](const TInvokeTarget& t, std::span<const TValue>) {
                       return MakeString(String(), t.Class->UnitName);
                     }));
  m.push_back(Method(L"UnitScope", K::mkClassFunction, {}, String(),
                     [](const TInvokeTarget& t, std::span<const TValue>) {
                       return MakeString(String(), UnitScopeOf(t.Class->UnitName));
                     }));
  m.push_back(Method(L"NewInstance", K::mkClassFunction, {}, objectType,
                     [objectType](const TInvokeTarget& t, std::span<const TValue>) {
                       return MakeObject(objectType, NewZeroedInstance(t.Class));
                     }));
}

void AddInstanceMethods(TRttiClass& root) {
  const TTypeInfo* objectType = root.Type;
  const TTypeInfo* classType = root.ClassRefType;
  const auto nothing = [](const TInvokeTarget&, std::span<const TValue>) { return TValue(); };
  // Freeing through a page only lets go of the page's hold: the object goes when its
  // native owners let go too, and wrappers of it find nothing from then on.
  const auto release = [](const TInvokeTarget& t, std::span<const TValue>) {
    if (t.ReleaseInstance) t.ReleaseInstance();
    return TValue();
  };
  auto& m = root.Methods;
  // Constructors and destructors are listed but never invoked through the model.
  m.push_back(Method(L"Create", K::mkConstructor, {}, nullptr, nullptr));
  m.push_back(Method(L"Free", K::mkProcedure, {}, nullptr, release));
  m.push_back(Method(L"DisposeOf", K::mkProcedure, {}, nullptr, release));
  // The model's objects have no managed fields to finalise.
  m.push_back(Method(L"CleanupInstance", K::mkProcedure, {}, nullptr, nothing));
  m.push_back(Method(L"ClassType", K::mkFunction, {}, classType,
                     [classType](const TInvokeTarget& t, std::span<const TValue>) {
                       return MakeClassRef(classType, t.InstanceClass);
                     }));
  m.push_back(Method(L"FieldAddress", K::mkFunction, {{L"Name", ShortString(), pfConst}}, Pointer(),
                     [](const TInvokeTarget&, std::span<const TValue>) { return NilPointer(); }));
  m.push_back(Method(L"FieldAddress", K::mkFunction, {{L"Name", String(), pfConst}}, Pointer(),
                     [](const TInvokeTarget&, std::span<const TValue>) { return NilPointer(); }));
  m.push_back(Method(L"GetInterface", K::mkFunction,
                     {{L"IID", Guid(), pfConst}, {L"Obj", Untyped(), pfOut}}, Boolean(),
                     [](const TInvokeTarget&, std::span<const TValue>) { return Bool(false); }));
  m.push_back(Method(L"Equals", K::mkFunction, {{L"Obj", objectType}}, Boolean(),
                     [](const TInvokeTarget& t, std::span<const TValue> a) {
                       return Bool(a[0].AsObject().Instance.get() == t.Instance);
                     }));
  m.push_back(Method(L"GetHashCode", K::mkFunction, {}, Integer(),
                     [](const TInvokeTarget& t, std::span<const TValue>) {
                       return MakeOrdinal(Integer(), static_cast<int64_t>(std::hash<void*>{}(t.Instance)));
                     }));
  m.push_back(Method(L"ToString", K::mkFunction, {}, String(),
                     [](const TInvokeTarget& t, std::span<const TValue>) {
                       return MakeString(String(), t.InstanceClass ? t.InstanceClass->Name : t.Class->Name);
                     }));
  m.push_back(Method(L"SafeCallException", K::mkFunction,
                     {{L"ExceptObject", objectType}, {L"ExceptAddr", Pointer()}}, Integer(),
                     [](const TInvokeTarget&, std::span<const TValue>) {
                       return MakeOrdinal(Integer(), static_cast<int32_t>(0x8000FFFF));  // E_UNEXPECTED
                     }));
  m.push_back(Method(L"AfterConstruction", K::mkProcedure, {}, nullptr, nothing));
  m.push_back(Method(L"BeforeDestruction", K::mkProcedure, {}, nullptr, nothing));
  m.push_back(Method(L"Dispatch", K::mkProcedure, {{L"Message", Untyped(), pfVar}}, nullptr, nothing));
  m.push_back(Method(L"DefaultHandler", K::mkProcedure, {{L"Message", Untyped(), pfVar}}, nullptr, nothing));
  m.push_back(Method(L"FreeInstance", K::mkProcedure, {}, nullptr, release));
  m.push_back(Method(L"Destroy", K::mkDestructor, {}, nullptr, nullptr));
}

}  // namespace

const TRttiClass* RootClass() {
  static TTypeInfo type;
  static TTypeInfo classRef;
  static const TRttiClass* const root = [] {
    static TRttiClass cls;
    cls.Name = L"TObject";
    cls.UnitName = L"System";
    cls.InstanceSize = 8;  // an instance's class and monitor slots
    BindClassTypes(cls, type, classRef);
    AddClassMethods(cls);
    AddInstanceMethods(cls);
    return &cls;
  }();
  return root;
}

}  // namespace quirel::rtti
