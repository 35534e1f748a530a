// The whole of the engine's C ABI as we declare it: types, interface structs
// and the types of the exported functions.
#pragma once

#include "engine/capi/cef_types.h"
#include "engine/capi/cef_base.h"
#include "engine/capi/cef_forward.h"
#include "engine/capi/app_interfaces.h"
#include "engine/capi/browser_interfaces.h"
#include "engine/capi/handler_interfaces.h"
#include "engine/capi/network_interfaces.h"
#include "engine/capi/data_interfaces.h"
#include "engine/capi/views_interfaces.h"
#include "engine/capi/cef_exports.h"
