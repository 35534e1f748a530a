// Wiring of a registered class to its two types (the class and "class of" it), and the
// small builders registration tables use.
#pragma once

#include <initializer_list>

#include "bridge/RttiTypes.h"

namespace quirel::rtti {

// Fills `type` and `classRef` for `cls` and points the class at them.
void BindClassTypes(TRttiClass& cls, TTypeInfo& type, TTypeInfo& classRef);

TRttiMethod Method(std::wstring name, TMethodKind kind, std::initializer_list<TRttiParameter> params,
                   const TTypeInfo* result, TInvokeEntry invoke,
                   TMemberVisibility visibility = TMemberVisibility::mvPublic);

}  // namespace quirel::rtti
