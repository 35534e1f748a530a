#include "automation/QuirelApplication.h"

namespace quirel {

const TAutoClass TQuirelApplication::Class = {L"TQuirelApplication", IID_IQuirelApplication,
                                              &TQuirelApplication::CreateObject};

IUnknown* TQuirelApplication::CreateObject(TAutoObjectFactory& factory, IUnknown* outer) {
  // Owned by its reference count from here on.
  return (new TQuirelApplication(factory, outer))->InnerUnknown();
}

VARIANT_BOOL STDMETHODCALLTYPE TQuirelApplication::SetData(BSTR chiave, BSTR valore) {
  (void)chiave;
  (void)valore;
  return VARIANT_FALSE;
}

VARIANT_BOOL STDMETHODCALLTYPE TQuirelApplication::GetData(BSTR chiave) {
  (void)chiave;
  return VARIANT_FALSE;
}

TComPtr<TAutoObjectFactory> CreateQuirelApplicationFactory(TComServer& server) {
  return TAutoObjectFactory::Create(server, TQuirelApplication::Class, CLSID_QuirelApplication,
                                    ciMultiInstance, tmApartment);
}

}  // namespace quirel
