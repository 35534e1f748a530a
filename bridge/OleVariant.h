// An owned OLE VARIANT: cleared when it goes, deep-copied when copied.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace quirel {

class TOleVariant {
 public:
  TOleVariant() noexcept { VariantInit(&v_); }
  TOleVariant(const TOleVariant& other);
  TOleVariant(TOleVariant&& other) noexcept;
  TOleVariant& operator=(TOleVariant other) noexcept;
  ~TOleVariant() { VariantClear(&v_); }

  static TOleVariant Null();
  static TOleVariant FromString(const std::wstring& text);
  static TOleVariant FromBool(bool value);
  static TOleVariant FromInt(int32_t value);
  static TOleVariant FromDouble(double value);
  // Takes over the array: destroyed with the variant.
  static TOleVariant FromArray(SAFEARRAY* array, VARTYPE elementType);

  const VARIANT& get() const noexcept { return v_; }
  VARIANT* put() noexcept { return &v_; }  // an empty variant for an API to fill
  VARTYPE vt() const noexcept { return v_.vt; }

 private:
  VARIANT v_;
};

}  // namespace quirel
