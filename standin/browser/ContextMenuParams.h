// What the engine tells the program about a right-click: where, on what
// (page, link) and the page's addresses.
#pragma once

#include <string>

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"

namespace quirel::standin {

struct ContextMenuFacts {
  int x = 0, y = 0;  // client coordinates of the browser window
  int type_flags = CM_TYPEFLAG_PAGE;
  std::wstring link_url;
  std::wstring page_url;
  std::wstring title;
};

CefRef<cef_context_menu_params_t> NewContextMenuParams(ContextMenuFacts facts);

}  // namespace quirel::standin
