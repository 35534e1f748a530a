// The engine's cef_menu_model_t: the context menu's items as the program may
// change them in on_before_context_menu, and the native menu made from them.
// Used on the UI thread, as the engine's is.
#pragma once

#include <windows.h>

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"
#include "standin/core/Json.h"

namespace quirel::standin {

CefRef<cef_menu_model_t> NewMenuModel();
// The items as the trace writes them: [{"command_id":100,"label":"Back",...}].
JsonArray MenuItemsJson(cef_menu_model_t* model);
int MenuItemCount(cef_menu_model_t* model);
// A popup menu with the visible items (submenus included); the caller
// destroys it. Command ids are the model's.
HMENU BuildNativeMenu(cef_menu_model_t* model);

}  // namespace quirel::standin
