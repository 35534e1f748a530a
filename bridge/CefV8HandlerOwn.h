// The program's implementation of the engine's cef_v8handler_t: the engine's execute callback
// reaches Derived::Execute with the arguments as owned values and the result and the
// exception text as plain out-parameters.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/CefObject.h"
#include "engine/capi/CefString.h"
#include "engine/capi/cef_capi.h"

namespace quirel {

template <class Derived>
class TCefv8HandlerOwn : public CefObject<Derived, cef_v8handler_t> {
 protected:
  TCefv8HandlerOwn() { this->template Bind<&TCefv8HandlerOwn::ExecuteCallback>(this->cef()->execute); }

 private:
  int ExecuteCallback(const cef_string_t* name, cef_v8value_t* object, size_t argumentsCount,
                      cef_v8value_t* const* arguments, cef_v8value_t** retval,
                      cef_string_t* exception) {
    // The receiver and every argument carry a reference for us.
    CefRef<cef_v8value_t> self = CefAdopt(object);
    std::vector<CefRef<cef_v8value_t>> held;
    std::vector<cef_v8value_t*> args;
    for (size_t i = 0; i < argumentsCount; ++i) {
      held.push_back(CefAdopt(arguments[i]));
      args.push_back(arguments[i]);
    }
    // Whatever *retval holds on entry is ours to release; the engine passes null today.
    const CefRef<cef_v8value_t> entry = CefTakeSlot(retval);
    CefRef<cef_v8value_t> result;
    std::wstring error;
    const bool handled = static_cast<Derived*>(this)->Execute(CefToWString(name), self.get(), args,
                                                               result, error);
    if (result) CefGiveSlot(retval, entry, result);
    if (!error.empty() && exception && g_cef.cef_string_utf16_set)
      g_cef.cef_string_utf16_set(error.data(), error.size(), exception, 1);
    return handled ? 1 : 0;
  }
};

}  // namespace quirel
