// The registrar the engine lends to on_register_custom_schemes. It belongs to
// the engine (a scoped object): the program only calls add_custom_scheme.
#pragma once

#include <string>
#include <vector>

#include "engine/capi/cef_capi.h"

namespace quirel::standin {

struct CustomScheme {
  std::wstring name;  // lower-case
  int options;
};

class SchemeRegistrar {
 public:
  SchemeRegistrar();
  SchemeRegistrar(const SchemeRegistrar&) = delete;
  SchemeRegistrar& operator=(const SchemeRegistrar&) = delete;

  cef_scheme_registrar_t* cef() { return &block_.cef; }
  long long id() const { return id_; }
  const std::vector<CustomScheme>& schemes() const { return schemes_; }

 private:
  struct Block {
    cef_scheme_registrar_t cef;
    SchemeRegistrar* owner;
  };

  static int CEF_CALLBACK AddCustomScheme(cef_scheme_registrar_t* self,
                                          const cef_string_t* scheme_name, int options);
  static void CEF_CALLBACK Delete(cef_base_scoped_t* self);

  Block block_{};
  std::vector<CustomScheme> schemes_;
  const long long id_;
};

}  // namespace quirel::standin
