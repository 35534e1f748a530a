// The process-wide table of engine functions. LoadEngineLibrary fills it group
// by group with GetProcAddress; every call into the engine goes through g_cef.
#pragma once

#include <cstddef>
#include <iterator>
#include <span>

#include "engine/capi/cef_exports.h"

struct TCefEntryPoints {
#define CEF_ENTRY_POINT(group, ret, name, params) name##_fn name = nullptr;
#include "engine/capi/cef_entry_points.inc"
#undef CEF_ENTRY_POINT
};

extern TCefEntryPoints g_cef;

// What resolving one entry needs: the export name, its group and where the
// address goes (`store` casts it to the member's own type).
struct TCefEntryPointInfo {
  const char* name;
  int group;
  std::size_t offset;  // of the member in TCefEntryPoints
  void (*store)(TCefEntryPoints& table, FARPROC proc);
};

// Groups 1 to 49 name functions; group 50 has none and always resolves.
inline constexpr int kCefEntryPointGroupCount = 50;

// In resolution order.
inline constexpr TCefEntryPointInfo kCefEntryPoints[] = {
// FARPROC goes through void (*)(), the generic function pointer type, because
// the real signature is only known from the table.
#define CEF_ENTRY_POINT(group, ret, name, params)                                \
  {#name, group, offsetof(TCefEntryPoints, name),                                \
   [](TCefEntryPoints& table, FARPROC proc) {                                    \
     table.name = reinterpret_cast<name##_fn>(reinterpret_cast<void (*)()>(proc)); \
   }},
#include "engine/capi/cef_entry_points.inc"
#undef CEF_ENTRY_POINT
};

// The entries of one group in resolution order; empty for group 50 and for
// numbers outside 1..50.
constexpr std::span<const TCefEntryPointInfo> CefEntryPointGroup(int group) {
  const TCefEntryPointInfo* first = std::begin(kCefEntryPoints);
  const TCefEntryPointInfo* const end = std::end(kCefEntryPoints);
  while (first != end && first->group < group) ++first;
  const TCefEntryPointInfo* last = first;
  while (last != end && last->group == group) ++last;
  return {first, last};
}
