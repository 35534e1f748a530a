// Pointer types of the engine's exported functions: cef_initialize_fn for
// cef_initialize, and so on for every entry of cef_entry_points.inc.
#pragma once

#include "engine/capi/cef_forward.h"

#define CEF_ENTRY_POINT(group, ret, name, params) typedef ret(CEF_CDECL* name##_fn) params;
#include "engine/capi/cef_entry_points.inc"
#undef CEF_ENTRY_POINT
