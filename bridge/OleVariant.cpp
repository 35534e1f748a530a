#include "bridge/OleVariant.h"

#include <utility>

#include "common/Errors.h"

namespace quirel {

TOleVariant::TOleVariant(const TOleVariant& other) {
  VariantInit(&v_);
  const HRESULT hr = VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
  if (FAILED(hr)) throw Exception(L"Variant copy failed: " + SysErrorMessage(static_cast<uint32_t>(hr)));
}

TOleVariant::TOleVariant(TOleVariant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }

TOleVariant& TOleVariant::operator=(TOleVariant other) noexcept {
  std::swap(v_, other.v_);
  return *this;
}

TOleVariant TOleVariant::Null() {
  TOleVariant v;
  v.v_.vt = VT_NULL;
  return v;
}

TOleVariant TOleVariant::FromString(const std::wstring& text) {
  TOleVariant v;
  v.v_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!v.v_.bstrVal) throw Exception(L"Out of memory for a string variant");
  v.v_.vt = VT_BSTR;
  return v;
}

TOleVariant TOleVariant::FromBool(bool value) {
  TOleVariant v;
  v.v_.vt = VT_BOOL;
  v.v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

TOleVariant TOleVariant::FromInt(int32_t value) {
  TOleVariant v;
  v.v_.vt = VT_I4;
  v.v_.lVal = value;
  return v;
}

TOleVariant TOleVariant::FromDouble(double value) {
  TOleVariant v;
  v.v_.vt = VT_R8;
  v.v_.dblVal = value;
  return v;
}

TOleVariant TOleVariant::FromArray(SAFEARRAY* array, VARTYPE elementType) {
  TOleVariant v;
  v.v_.vt = static_cast<VARTYPE>(VT_ARRAY | elementType);
  v.v_.parray = array;
  return v;
}

}  // namespace quirel
