#include "bridge/BridgeRtti.h"

#include "bridge/Bridge.h"
#include "bridge/PageOrigin.h"
#include "bridge/RttiClassTypes.h"
#include "bridge/RttiRoot.h"
#include "bridge/RttiStdTypes.h"

namespace quirel {

const TRttiClass* BridgeClass() {
  using K = TMethodKind;
  using rtti::Method;
  static TTypeInfo type;
  static TTypeInfo classRef;
  static const TRttiClass* const bridge = [] {
    static TRttiClass cls;
    cls.Name = L"TBridge";
    cls.UnitName = L"Bridge";
    cls.Parent = rtti::RootClass();
    cls.InstanceSize = 8;  // no fields beyond the root's
    rtti::BindClassTypes(cls, type, classRef);
    // Constructors and destructors are listed but never invoked through the model.
    cls.Methods.push_back(Method(L"Create", K::mkConstructor, {}, nullptr, nullptr));
    cls.Methods.push_back(Method(L"Destroy", K::mkDestructor, {}, nullptr, nullptr));
    cls.Methods.push_back(Method(L"Init", K::mkClassProcedure, {}, nullptr,
                                 [](const TInvokeTarget&, std::span<const TValue>) {
                                   TBridge::Init();
                                   return TValue();
                                 }));
    cls.Methods.push_back(Method(
        L"SetData", K::mkClassFunction,
        {{L"chiave", rtti::String(), pfConst}, {L"valore", rtti::String(), pfConst}}, rtti::String(),
        [](const TInvokeTarget&, std::span<const TValue> a) {
          // Another site's page gets undefined and touches nothing.
          if (!CurrentPageIsApplication()) return TValue();
          return MakeString(rtti::String(), TBridge::SetData(a[0].AsString(), a[1].AsString()));
        }));
    cls.Methods.push_back(Method(L"GetData", K::mkClassFunction, {{L"chiave", rtti::String(), pfConst}},
                                 rtti::String(), [](const TInvokeTarget&, std::span<const TValue> a) {
                                   if (!CurrentPageIsApplication()) return TValue();
                                   return MakeString(rtti::String(), TBridge::GetData(a[0].AsString()));
                                 }));
    return &cls;
  }();
  return bridge;
}

TValue BridgeClassValue() { return MakeClassRef(BridgeClass()->ClassRefType, BridgeClass()); }

}  // namespace quirel
