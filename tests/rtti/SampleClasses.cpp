#include "SampleClasses.h"

#include <windows.h>

#include "bridge/Bridge.h"
#include "bridge/RttiClassTypes.h"
#include "bridge/RttiRoot.h"
#include "bridge/RttiStdTypes.h"

namespace sample {
namespace {

using namespace quirel;
using K = TMethodKind;
using rtti::Method;
using Args = std::span<const TValue>;

std::wstring VariantText(const VARIANT& v) {
  switch (v.vt) {
    case VT_EMPTY: return L"empty";
    case VT_NULL: return L"null";
    case VT_BOOL: return v.boolVal ? L"bool:true" : L"bool:false";
    case VT_I4: return L"int:" + std::to_wstring(v.lVal);
    case VT_R8: return L"double:" + std::to_wstring(v.dblVal);
    case VT_BSTR: return L"string:" + std::wstring(v.bstrVal, SysStringLen(v.bstrVal));
    case VT_ARRAY | VT_VARIANT: {
      SAFEARRAY* a = v.parray;
      LONG lo = 0, hi = -1;
      SafeArrayGetLBound(a, 1, &lo);
      SafeArrayGetUBound(a, 1, &hi);
      std::wstring text = L"array[" + std::to_wstring(SafeArrayGetDim(a)) + L"," + std::to_wstring(lo) +
                          L".." + std::to_wstring(hi) + L"](";
      for (LONG i = lo; i <= hi; ++i) {
        VARIANT item;
        VariantInit(&item);
        SafeArrayGetElement(a, &i, &item);
        text += (i > lo ? L";" : L"") + VariantText(item);
        VariantClear(&item);
      }
      return text + L")";
    }
    default: return L"vt:" + std::to_wstring(v.vt);
  }
}

TRttiField PointField(const wchar_t* name, const TTypeInfo* type, int32_t TPoint::*member) {
  TRttiField f;
  f.Name = name;
  f.Type = type;
  f.Read = [type, member](const void* p) { return MakeOrdinal(type, static_cast<const TPoint*>(p)->*member); };
  f.Write = [member](void* p, const TValue& v) { static_cast<TPoint*>(p)->*member = static_cast<int32_t>(v.AsInt64()); };
  return f;
}

TSampleObject& Self(const TInvokeTarget& t) { return *static_cast<TSampleObject*>(t.Instance); }

TValue Str(std::wstring text) { return MakeString(rtti::String(), std::move(text)); }

void AddMembers(TRttiClass& c) {
  auto& m = c.Methods;
  m.push_back(Method(L"TakeByte", K::mkClassFunction, {{L"b", rtti::Byte()}}, rtti::Integer(),
                     [](const TInvokeTarget&, Args a) {
                       Calls().push_back(L"TakeByte " + std::to_wstring(a[0].AsInt64()));
                       return MakeOrdinal(rtti::Integer(), a[0].AsInt64() * 2);
                     }));
  m.push_back(Method(L"Concat", K::mkClassFunction, {{L"a", rtti::String()}, {L"b", rtti::String()}},
                     rtti::String(), [](const TInvokeTarget&, Args a) {
                       Calls().push_back(L"Concat");
                       return Str(a[0].AsString() + a[1].AsString());
                     }));
  m.push_back(Method(L"NextInt64", K::mkClassFunction, {{L"v", rtti::Int64()}}, rtti::Int64(),
                     [](const TInvokeTarget&, Args a) {
                       Calls().push_back(L"NextInt64 " + std::to_wstring(a[0].AsInt64()));
                       return TValue(rtti::Int64(), a[0].AsInt64() + 1);
                     }));
  m.push_back(Method(L"When", K::mkClassFunction, {}, rtti::DateTime(), [](const TInvokeTarget&, Args) {
    return TValue(rtti::DateTime(), SampleDateTime());
  }));
  m.push_back(Method(L"VariantDate", K::mkClassFunction, {}, rtti::Variant(), [](const TInvokeTarget&, Args) {
    Calls().push_back(L"VariantDate");
    TOleVariant v;
    v.put()->vt = VT_DATE;
    v.put()->date = SampleDateTime();
    return TValue(rtti::Variant(), v);
  }));
  m.push_back(Method(L"Describe", K::mkClassFunction, {{L"v", rtti::Variant()}}, rtti::String(),
                     [](const TInvokeTarget&, Args a) { return Str(VariantText(a[0].AsVariant().get())); }));
  m.push_back(Method(L"MakePoint", K::mkClassFunction, {{L"x", rtti::Integer()}, {L"y", rtti::Integer()}},
                     PointType(), [](const TInvokeTarget&, Args a) {
                       auto p = std::make_shared<TPoint>();
                       p->X = static_cast<int32_t>(a[0].AsInt64());
                       p->Y = static_cast<int32_t>(a[1].AsInt64());
                       p->Name = L"punto";
                       return TValue(PointType(), TRecordRef{p});
                     }));
  m.push_back(Method(L"PointText", K::mkClassFunction, {{L"p", PointType()}}, rtti::String(),
                     [](const TInvokeTarget&, Args a) {
                       const TPoint& p = *static_cast<const TPoint*>(a[0].AsRecord().Storage.get());
                       return Str(std::to_wstring(p.X) + L"," + std::to_wstring(p.Y) + L"," + p.Name);
                     }));
  m.push_back(Method(L"Fail", K::mkClassProcedure, {}, nullptr, [](const TInvokeTarget&, Args) -> TValue {
    throw ERegistryException(L"Failed to set data for 'x'");
  }));
  m.push_back(Method(L"Hidden", K::mkClassFunction, {}, rtti::Integer(),
                     [](const TInvokeTarget&, Args) { return MakeOrdinal(rtti::Integer(), 1); },
                     TMemberVisibility::mvPrivate));
  m.push_back(Method(L"Accept", K::mkClassFunction, {{L"o", c.Type}}, rtti::String(),
                     [](const TInvokeTarget&, Args a) {
                       const TObjectRef& o = a[0].AsObject();
                       return Str(o.Class->Name + L":" +
                                  std::to_wstring(static_cast<TSampleObject*>(o.Instance.get())->Count));
                     }));
  m.push_back(Method(L"Create", K::mkConstructor, {}, nullptr, [](const TInvokeTarget&, Args) {
    Calls().push_back(L"Create");
    return TValue();
  }));
  m.push_back(Method(L"Destroy", K::mkDestructor, {}, nullptr, [](const TInvokeTarget&, Args) {
    Calls().push_back(L"Destroy");
    return TValue();
  }));
  m.push_back(Method(L"Increment", K::mkProcedure, {}, nullptr, [](const TInvokeTarget& t, Args) {
    ++Self(t).Count;
    return TValue();
  }));
  m.push_back(Method(L"Total", K::mkFunction, {{L"extra", rtti::Integer()}}, rtti::Integer(),
                     [](const TInvokeTarget& t, Args a) {
                       return MakeOrdinal(rtti::Integer(), Self(t).Count + Self(t).Tag + a[0].AsInt64());
                     }));
  m.push_back(Method(L"Secret", K::mkProcedure, {}, nullptr, [](const TInvokeTarget&, Args) { return TValue(); },
                     TMemberVisibility::mvProtected));

  TRttiProperty count;
  count.Name = L"Count";
  count.Type = rtti::Integer();
  count.Read = [](void* o) { return MakeOrdinal(rtti::Integer(), static_cast<TSampleObject*>(o)->Count); };
  count.Write = [](void* o, const TValue& v) {
    static_cast<TSampleObject*>(o)->Count = static_cast<int32_t>(v.AsInt64());
  };
  c.Properties.push_back(count);
  TRttiProperty label;
  label.Name = L"Label";
  label.Type = rtti::String();
  label.Read = [](void* o) { return Str(static_cast<TSampleObject*>(o)->Label); };
  c.Properties.push_back(label);
  TRttiProperty hidden;
  hidden.Name = L"Inner";
  hidden.Visibility = TMemberVisibility::mvPrivate;
  hidden.Type = rtti::Integer();
  hidden.Read = count.Read;
  c.Properties.push_back(hidden);

  TRttiField tag;
  tag.Name = L"Tag";
  tag.Type = rtti::Integer();
  tag.Read = [](const void* o) { return MakeOrdinal(rtti::Integer(), static_cast<const TSampleObject*>(o)->Tag); };
  tag.Write = [](void* o, const TValue& v) { static_cast<TSampleObject*>(o)->Tag = static_cast<int32_t>(v.AsInt64()); };
  c.Fields.push_back(tag);
}

}  // namespace

std::vector<std::wstring>& Calls() {
  static std::vector<std::wstring> calls;
  return calls;
}

const TTypeInfo* PointType() {
  static const TRttiRecord record{
      L"TPoint", [] { return std::shared_ptr<void>(std::make_shared<TPoint>()); },
      [](const void* p) { return std::shared_ptr<void>(std::make_shared<TPoint>(*static_cast<const TPoint*>(p))); },
      {PointField(L"X", rtti::Integer(), &TPoint::X), PointField(L"Y", rtti::SmallInt(), &TPoint::Y),
       TRttiField{L"Name", TMemberVisibility::mvPrivate, rtti::String(),
                  [](const void* p) { return Str(static_cast<const TPoint*>(p)->Name); },
                  [](void* p, const TValue& v) { static_cast<TPoint*>(p)->Name = v.AsString(); }}}};
  static const TTypeInfo type = [] {
    TTypeInfo t;
    t.Kind = TTypeKind::tkRecord;
    t.Name = L"TPoint";
    t.RecordData = &record;
    return t;
  }();
  return &type;
}

const TRttiClass* SampleClass() {
  static TTypeInfo type, ref;
  static const TRttiClass* const cls = [] {
    static TRttiClass c;
    c.Name = L"TSample";
    c.UnitName = L"Samples.Units";
    c.Parent = rtti::RootClass();
    c.InstanceSize = 20;
    rtti::BindClassTypes(c, type, ref);
    AddMembers(c);
    return &c;
  }();
  return cls;
}

const TRttiClass* ChildClass() {
  static TTypeInfo type, ref;
  static const TRttiClass* const cls = [] {
    static TRttiClass c;
    c.Name = L"TChild";
    c.UnitName = L"Samples.Units";
    c.Parent = SampleClass();
    c.InstanceSize = 20;
    rtti::BindClassTypes(c, type, ref);
    // Hides the parent's Concat: the first match in member order wins.
    c.Methods.push_back(Method(L"concat", K::mkClassFunction, {{L"a", rtti::String()}}, rtti::String(),
                               [](const TInvokeTarget&, Args a) { return Str(L"child " + a[0].AsString()); }));
    return &c;
  }();
  return cls;
}

const TRttiClass* OtherClass() {
  static TTypeInfo type, ref;
  static const TRttiClass* const cls = [] {
    static TRttiClass c;
    c.Name = L"TOther";
    c.UnitName = L"Samples";
    c.Parent = rtti::RootClass();
    c.InstanceSize = 8;
    rtti::BindClassTypes(c, type, ref);
    return &c;
  }();
  return cls;
}

TValue SampleObjectValue(std::shared_ptr<TSampleObject> object) {
  return MakeObject(SampleClass()->Type, TObjectRef{std::move(object), SampleClass()});
}

TValue ChildObjectValue(std::shared_ptr<TSampleObject> object) {
  return MakeObject(ChildClass()->Type, TObjectRef{std::move(object), ChildClass()});
}

TValue OtherObjectValue() {
  return MakeObject(OtherClass()->Type, TObjectRef{std::make_shared<int>(0), OtherClass()});
}

double SampleDateTime() {
  SYSTEMTIME st{2024, 2, 4, 29, 13, 45, 30, 250};
  double d = 0;
  SystemTimeToVariantTime(&st, &d);  // whole seconds only
  return d + 0.250 / 86400.0;
}

}  // namespace sample
