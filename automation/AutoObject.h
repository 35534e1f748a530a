// Base of automation objects: an IUnknown that can be aggregated, IDispatch served from the
// factory's type information, and the server's count of live objects.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <atomic>

#include "automation/AutoObjectFactory.h"
#include "automation/ComPtr.h"

namespace quirel {

// What does not depend on the object's interface.
class TAutoObjectCore {
 protected:
  explicit TAutoObjectCore(TAutoObjectFactory& factory);  // counts one live object more
  virtual ~TAutoObjectCore();                             // and one less
  TAutoObjectCore(const TAutoObjectCore&) = delete;
  TAutoObjectCore& operator=(const TAutoObjectCore&) = delete;

  HRESULT DispGetTypeInfo(UINT index, ITypeInfo** info) const;
  HRESULT DispGetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const;
  // Calls the member on the dispatch interface's table at instance.
  HRESULT DispInvoke(void* instance, DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result,
                     EXCEPINFO* exception, UINT* argError) const;

  const TComPtr<TAutoObjectFactory> FFactory;
};

template <typename TDispInterface>
class TAutoObject : public TDispInterface, protected TAutoObjectCore {
 public:
  // The object's own IUnknown: what an aggregate holds, and what the factory hands out.
  IUnknown* InnerUnknown() { return &FInner; }

  // IUnknown of the interfaces: that of the aggregate when there is one.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    return FController->QueryInterface(riid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return FController->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return FController->Release(); }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    return DispGetTypeInfo(index, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    return DispGetIDsOfNames(names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argError) override {
    return DispInvoke(static_cast<TDispInterface*>(this), member, flags, params, result, exception,
                      argError);
  }

 protected:
  TAutoObject(TAutoObjectFactory& factory, IUnknown* outer)
      : TAutoObjectCore(factory), FInner(*this), FController(outer ? outer : &FInner) {}

 private:
  class TInnerUnknown final : public IUnknown {
   public:
    explicit TInnerUnknown(TAutoObject& owner) : FOwner(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
      if (!object) return E_POINTER;
      if (riid == IID_IUnknown) {
        *object = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
      }
      if (riid == IID_IDispatch || riid == __uuidof(TDispInterface)) {
        TDispInterface* intf = &FOwner;
        *object = intf;
        intf->AddRef();
        return S_OK;
      }
      *object = nullptr;
      return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++FRefCount; }
    ULONG STDMETHODCALLTYPE Release() override {
      const ULONG left = --FRefCount;
      if (left == 0) delete &FOwner;
      return left;
    }

   private:
    TAutoObject& FOwner;
    std::atomic<ULONG> FRefCount{1};
  };

  TInnerUnknown FInner;
  IUnknown* const FController;
};

}  // namespace quirel
