// The automation class QuirelApplication of the type library QuirelCloud.
#pragma once

#include "automation/AutoObject.h"
#include "automation/QuirelCloud_TLB.h"

namespace quirel {

class TComServer;

// SetData and GetData take their arguments and do nothing: no state is read or changed, and
// the rest of the program never sees these calls (the page bridge's operations of the same
// names are not connected to them). Both answer VARIANT_FALSE: nothing was stored or read.
class TQuirelApplication final : public TAutoObject<IQuirelApplication> {
 public:
  static const TAutoClass Class;

  VARIANT_BOOL STDMETHODCALLTYPE SetData(BSTR chiave, BSTR valore) override;
  VARIANT_BOOL STDMETHODCALLTYPE GetData(BSTR chiave) override;

 private:
  TQuirelApplication(TAutoObjectFactory& factory, IUnknown* outer) : TAutoObject(factory, outer) {}
  ~TQuirelApplication() override = default;
  static IUnknown* CreateObject(TAutoObjectFactory& factory, IUnknown* outer);
};

// The class factory of TQuirelApplication, added to the server.
TComPtr<TAutoObjectFactory> CreateQuirelApplicationFactory(TComServer& server);

}  // namespace quirel
