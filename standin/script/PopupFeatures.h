// The window features of window.open ("left=10,top=20,width=300,height=200"),
// read as a browser reads them.
#pragma once

#include <string_view>

#include "engine/capi/cef_types.h"

namespace quirel::standin::script {

// An empty text gives no features: every bar visible, nothing set.
cef_popup_features_t ParseWindowFeatures(std::wstring_view features);

}  // namespace quirel::standin::script
