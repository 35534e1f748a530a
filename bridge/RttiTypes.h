// The run-time metadata model the page bridge exposes native classes through: type
// descriptors and the members of classes, records and interfaces. Registration tables
// (RttiRoot.cpp, BridgeRtti.cpp, ...) fill it with static descriptors that live for the
// whole process, so descriptors are referred to by plain pointers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace quirel {

class TValue;
struct TRttiClass;
struct TRttiRecord;
struct TRttiInterface;

enum class TTypeKind {
  tkUnknown,      // a value without a type (untyped var/out parameters)
  tkInteger,      // ordinal integer
  tkChar,         // single 8-bit character
  tkEnumeration,  // boolean is the distinguished one
  tkFloat,
  tkString,       // short string
  tkSet,
  tkClass,        // object instance
  tkMethod,       // method pointer
  tkWChar,
  tkLString,      // code-page (8-bit) string
  tkWString,      // wide (OLE) string
  tkVariant,
  tkArray,        // static array
  tkRecord,
  tkInterface,
  tkInt64,
  tkDynArray,
  tkUString,      // UTF-16 string
  tkClassRef,
  tkPointer,
  tkProcedure,
  tkMRecord,      // managed record
};

// Storage of ordinals, enumerations and sets.
enum class TOrdType { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };

enum class TFloatType { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

struct TTypeInfo {
  TTypeKind Kind = TTypeKind::tkUnknown;
  std::wstring Name;
  // Ordinals, enumerations, sets.
  TOrdType OrdType = TOrdType::otSLong;
  int32_t MinValue = 0;
  int32_t MaxValue = 0;
  bool IsBoolean = false;
  // Floating point.
  TFloatType FloatType = TFloatType::ftDouble;
  bool IsDateTime = false;  // a double counting days since 30 December 1899
  // Interfaces: the engine's own script value interface passes through unchanged.
  bool IsScriptValue = false;
  // Class: the class; class reference: the class referred to.
  const TRttiClass* ClassData = nullptr;
  const TRttiRecord* RecordData = nullptr;
  const TRttiInterface* InterfaceData = nullptr;
};

enum class TMemberVisibility { mvPrivate, mvProtected, mvPublic, mvPublished };

enum class TMethodKind {
  mkProcedure,
  mkFunction,
  mkConstructor,
  mkDestructor,
  mkClassProcedure,
  mkClassFunction,
  mkClassConstructor,
  mkClassDestructor,
  mkOperatorOverload,
  mkSafeProcedure,
  mkSafeFunction,
};

enum TParamFlag : uint8_t { pfVar = 1, pfConst = 2, pfArray = 4, pfAddress = 8, pfReference = 16, pfOut = 32 };

struct TRttiParameter {
  std::wstring Name;
  const TTypeInfo* Type = nullptr;
  uint8_t Flags = 0;
};

// What a member runs on: an object of (a descendant of) the declaring class, or only the
// class for class methods. Instance points at the object as its most derived class
// registered it; ReleaseInstance drops the page's hold on that object.
struct TInvokeTarget {
  void* Instance = nullptr;
  const TRttiClass* Class = nullptr;        // the class the call was made through
  const TRttiClass* InstanceClass = nullptr;  // the object's own class
  std::function<void()> ReleaseInstance;
};

using TInvokeEntry = std::function<TValue(const TInvokeTarget& target, std::span<const TValue> args)>;

struct TRttiMethod {
  std::wstring Name;
  TMemberVisibility Visibility = TMemberVisibility::mvPublic;
  TMethodKind Kind = TMethodKind::mkProcedure;
  std::vector<TRttiParameter> Parameters;
  const TTypeInfo* ResultType = nullptr;  // null for procedures
  TInvokeEntry Invoke;
};

struct TRttiProperty {
  std::wstring Name;
  TMemberVisibility Visibility = TMemberVisibility::mvPublic;
  const TTypeInfo* Type = nullptr;
  std::function<TValue(void* instance)> Read;                     // empty: not readable
  std::function<void(void* instance, const TValue& value)> Write;  // empty: not writable
  bool IsReadable() const { return static_cast<bool>(Read); }
  bool IsWritable() const { return static_cast<bool>(Write); }
};

// Fields of classes and records; `instance` is the object or the record's storage.
struct TRttiField {
  std::wstring Name;
  TMemberVisibility Visibility = TMemberVisibility::mvPublic;
  const TTypeInfo* Type = nullptr;
  std::function<TValue(const void* instance)> Read;
  std::function<void(void* instance, const TValue& value)> Write;
};

struct TRttiClass {
  std::wstring Name;
  std::wstring UnitName;
  const TRttiClass* Parent = nullptr;  // null only for the root class
  const TTypeInfo* Type = nullptr;     // the class's own type (kind tkClass)
  const TTypeInfo* ClassRefType = nullptr;  // "class of" this class (kind tkClassRef)
  int32_t InstanceSize = 0;
  std::vector<TRttiMethod> Methods;  // declared ones, in declaration order
  std::vector<TRttiProperty> Properties;
  std::vector<TRttiField> Fields;

  bool InheritsFrom(const TRttiClass* ancestor) const;
};

struct TRttiRecord {
  std::wstring Name;
  // A new zero-filled record.
  std::function<std::shared_ptr<void>()> New;
  // A copy of the record's storage.
  std::function<std::shared_ptr<void>(const void* record)> Copy;
  std::vector<TRttiField> Fields;
};

struct TRttiInterface {
  std::wstring Name;
  std::vector<TRttiMethod> Methods;  // all count as public
};

// Member lists: a class's own members followed by its parent's, up to the root.
std::vector<const TRttiMethod*> ClassMethods(const TRttiClass* cls);
std::vector<const TRttiProperty*> ClassProperties(const TRttiClass* cls);
std::vector<const TRttiField*> ClassFields(const TRttiClass* cls);

// The first member in list order whose name matches ignoring letter case; null if none.
const TRttiMethod* FindMethod(const TRttiClass* cls, std::wstring_view name);
const TRttiProperty* FindProperty(const TRttiClass* cls, std::wstring_view name);
const TRttiField* FindField(const TRttiClass* cls, std::wstring_view name);

bool IsExposed(TMemberVisibility visibility);
bool SameText(std::wstring_view a, std::wstring_view b);

}  // namespace quirel
