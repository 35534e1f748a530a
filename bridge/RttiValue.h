// The tagged value: a type descriptor and data of that type. Arguments, results and the
// page bridge's root value travel as tagged values.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "bridge/OleVariant.h"
#include "bridge/RttiTypes.h"
#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"

namespace quirel {

// An object of a registered class: its storage and its own class.
struct TObjectRef {
  std::shared_ptr<void> Instance;
  const TRttiClass* Class = nullptr;
};

struct TRecordRef {
  std::shared_ptr<void> Storage;
};

// An interface: either the engine's script value itself or a native one.
struct TInterfaceRef {
  CefRef<cef_v8value_t> ScriptValue;
  std::shared_ptr<void> Native;
};

class TValue {
 public:
  using TData = std::variant<std::monostate, int64_t, float, double, long double, CY, std::wstring,
                             std::string, TOleVariant, TObjectRef, const TRttiClass*, TRecordRef,
                             TInterfaceRef>;

  TValue() = default;  // empty: no type
  TValue(const TTypeInfo* type, TData data) : type_(type), data_(std::move(data)) {}

  const TTypeInfo* Type() const noexcept { return type_; }
  bool IsEmpty() const noexcept { return type_ == nullptr; }
  TTypeKind Kind() const noexcept { return type_ ? type_->Kind : TTypeKind::tkUnknown; }

  // Ordinals, enumerations, sets, 64-bit integers and comp (as held: already in the range
  // of the type's storage).
  int64_t AsInt64() const;
  std::wstring AsString() const;        // UTF-16, wide strings and characters
  const std::string& AsAnsiString() const;  // code-page strings and 8-bit characters
  const TOleVariant& AsVariant() const;
  double AsDouble() const;  // any floating point value, comp and currency included
  const TObjectRef& AsObject() const;
  const TRttiClass* AsClass() const;
  const TRecordRef& AsRecord() const;
  const TInterfaceRef& AsInterface() const;
  const TData& Data() const noexcept { return data_; }

  // Copies that keep the type: the record's storage is duplicated.
  TValue Clone() const;

 private:
  const TTypeInfo* type_ = nullptr;
  TData data_;
};

// An ordinal cut to the type's 1, 2 or 4 bytes as they would read back.
int64_t StoreOrdinal(TOrdType ordType, int64_t value);

// Constructors for the common cases.
TValue MakeOrdinal(const TTypeInfo* type, int64_t value);
TValue MakeString(const TTypeInfo* type, std::wstring text);
TValue MakeObject(const TTypeInfo* type, TObjectRef object);
TValue MakeClassRef(const TTypeInfo* type, const TRttiClass* cls);

}  // namespace quirel
