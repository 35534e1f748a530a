#include "engine/capi/CefEntryPoints.h"

TCefEntryPoints g_cef;

namespace {

// Group-by-group resolution relies on each group's entries being contiguous.
constexpr bool GroupsAscend() {
  int previous = 1;
  for (const TCefEntryPointInfo& entry : kCefEntryPoints) {
    if (entry.group < previous || entry.group >= kCefEntryPointGroupCount) return false;
    previous = entry.group;
  }
  return true;
}

static_assert(GroupsAscend());
static_assert(std::size(kCefEntryPoints) == 180);
static_assert(sizeof(TCefEntryPoints) == std::size(kCefEntryPoints) * sizeof(void*));

}  // namespace
