#include "automation/AutoObject.h"

#include <oleauto.h>

#include "automation/ComServer.h"

namespace quirel {

TAutoObjectCore::TAutoObjectCore(TAutoObjectFactory& factory) : FFactory(&factory) {
  if (TComServer* server = FFactory->ComServer()) server->CountObject(true);
}

TAutoObjectCore::~TAutoObjectCore() {
  if (TComServer* server = FFactory->ComServer()) server->CountObject(false);
}

HRESULT TAutoObjectCore::DispGetTypeInfo(UINT index, ITypeInfo** info) const {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  *info = FFactory->DispTypeInfo();
  (*info)->AddRef();
  return S_OK;
}

HRESULT TAutoObjectCore::DispGetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const {
  return ::DispGetIDsOfNames(FFactory->DispTypeInfo(), names, count, ids);
}

HRESULT TAutoObjectCore::DispInvoke(void* instance, DISPID member, WORD flags, DISPPARAMS* params,
                                    VARIANT* result, EXCEPINFO* exception, UINT* argError) const {
  // A put and a put by reference reach the same setter.
  constexpr WORD kPropertySet = DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF;
  if (flags & kPropertySet) flags = kPropertySet;
  return FFactory->DispTypeInfo()->Invoke(instance, member, flags, params, result, exception,
                                          argError);
}

}  // namespace quirel
