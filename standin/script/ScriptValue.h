// The engine's value objects (cef_v8value_t) over the values of a script
// context. Each object the engine hands out carries one reference and holds
// its value in the context until released; once the context is gone it is
// invalid and answers as an empty value.
#pragma once

#include <memory>

#include "duktape.h"
#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"
#include "standin/script/ScriptContext.h"

namespace quirel::standin::script {

// A new value object for the value at `index` of the context's stack.
CefRef<cef_v8value_t> ValueAt(ScriptContext& context, duk_idx_t index);

// Pushes what `value` stands for onto the context's stack: undefined for null,
// for objects that are not ours and for objects of another context
// (primitives are copied across contexts).
void PushValue(ScriptContext& context, cef_v8value_t* value);

// Value objects alive in this process (for finding leaks).
long long LiveValueObjects();

}  // namespace quirel::standin::script
