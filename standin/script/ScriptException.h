// cef_v8exception_t: a script error as the engine reports it.
#pragma once

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"
#include "standin/script/ScriptContext.h"

namespace quirel::standin::script {

CefRef<cef_v8exception_t> NewException(const ScriptError& error);

}  // namespace quirel::standin::script
