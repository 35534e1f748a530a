// Included by every file that defines engine exports. Define them inside
// extern "C" { }: their prototypes come from the ABI's own list, so a
// definition whose signature drifts from it does not compile. The generated
// .def file decides which names the DLL exports.
#pragma once

#include "engine/capi/cef_capi.h"
#include "engine/capi/cef_export_prototypes.h"
