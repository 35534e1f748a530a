#include "standin/process/SchemeRegistrar.h"

#include <algorithm>
#include <type_traits>

#include "standin/core/Trace.h"
#include "standin/core/Utf.h"
#include "standin/strings/EngineStrings.h"

namespace quirel::standin {
namespace {

// Schemes the engine handles itself cannot be registered again.
constexpr const wchar_t* kBuiltInSchemes[] = {L"about",
                                              L"blob",
                                              L"chrome",
                                              L"chrome-devtools",
                                              L"chrome-extension",
                                              L"data",
                                              L"devtools",
                                              L"file",
                                              L"filesystem",
                                              L"ftp",
                                              L"http",
                                              L"https",
                                              L"javascript",
                                              L"ws",
                                              L"wss"};

}  // namespace

SchemeRegistrar::SchemeRegistrar() : id_(trace::NextObjectId()) {
  static_assert(std::is_standard_layout_v<Block>);
  block_.cef.base.size = sizeof(cef_scheme_registrar_t);
  block_.cef.base.del = &Delete;
  block_.cef.add_custom_scheme = &AddCustomScheme;
  block_.owner = this;
}

int CEF_CALLBACK SchemeRegistrar::AddCustomScheme(cef_scheme_registrar_t* self,
                                                  const cef_string_t* scheme_name, int options) {
  SchemeRegistrar* registrar = reinterpret_cast<Block*>(self)->owner;
  trace::Method("scheme_registrar.add_custom_scheme", registrar->id_)
      .Text("scheme_name", scheme_name)
      .Int("options", options);
  const std::wstring name = ToLowerAscii(ToWString(scheme_name));
  const auto same = [&](const auto& other) { return name == other; };
  if (name.empty() || std::ranges::any_of(kBuiltInSchemes, same) ||
      std::ranges::any_of(registrar->schemes_,
                          [&](const CustomScheme& s) { return s.name == name; }))
    return 0;
  registrar->schemes_.push_back({name, options});
  return 1;
}

void CEF_CALLBACK SchemeRegistrar::Delete(cef_base_scoped_t* self) {
  // The engine owns the registrar and frees it after the callback.
  trace::Method("scheme_registrar.del", reinterpret_cast<Block*>(self)->owner->id_);
}

}  // namespace quirel::standin
