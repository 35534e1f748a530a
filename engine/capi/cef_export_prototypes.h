// C prototypes of the engine's exported functions, for the stand-in engine that
// defines them. The program itself never links against the engine: it resolves
// these names at run time into the entry-point table (CefEntryPoints.h).
// Define CEF_EXPORT (e.g. as __declspec(dllexport)) before including to export,
// and define the functions inside extern "C" { }: a definition whose signature
// drifts from the table then fails to compile instead of becoming an overload.
#pragma once

#include <type_traits>

#include "engine/capi/cef_exports.h"

#ifndef CEF_EXPORT
#define CEF_EXPORT
#endif

extern "C" {
#define CEF_ENTRY_POINT(group, ret, name, params) CEF_EXPORT ret CEF_CDECL name params;
#include "engine/capi/cef_entry_points.inc"
#undef CEF_ENTRY_POINT
}

// The prototypes and the table's pointer types come from the same list; this
// keeps them from drifting apart should either expansion change.
#define CEF_ENTRY_POINT(group, ret, name, params) \
  static_assert(std::is_same_v<decltype(&::name), name##_fn>, #name);
#include "engine/capi/cef_entry_points.inc"
#undef CEF_ENTRY_POINT
