// The class object of an automation class: creates its objects for COM, describes the class
// from the type library, publishes itself while the program runs and writes the class's
// registry entries.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <atomic>
#include <string>

#include "automation/ComPtr.h"

namespace quirel {

class TComServer;
class TAutoObjectFactory;

// ciInternal: created by the program only, never published nor registered.
// ciMultiInstance: one class object serves any number of clients and objects.
enum TClassInstancing { ciInternal, ciMultiInstance };
enum TThreadingModel { tmApartment, tmFree };

// What the factory knows of a C++ automation class.
struct TAutoClass {
  const wchar_t* ClassName;  // for error messages
  IID Interface;             // the dispatch interface it implements
  // A new object aggregated by outer (or standalone when null); returns its own IUnknown
  // with one reference. May raise.
  IUnknown* (*Create)(TAutoObjectFactory& factory, IUnknown* outer);
};

// The text of the "DAX Error" box: the message with a full stop after it unless it has one.
std::wstring DaxErrorText(const std::wstring& message);

class TAutoObjectFactory final : public IClassFactory {
 public:
  // Reads the class from the server's type library and adds the factory to the server.
  // Raises EOleError when the library lacks the class, the class has no default interface,
  // or the C++ class does not implement it.
  static TComPtr<TAutoObjectFactory> Create(TComServer& server, const TAutoClass& autoClass,
                                            const CLSID& classId, TClassInstancing instancing,
                                            TThreadingModel threadingModel);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IClassFactory
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  // Null once the server has gone (objects may outlive it at the very end).
  TComServer* ComServer() const { return FComServer; }
  void DetachServer() { FComServer = nullptr; }

  const CLSID& ClassId() const { return FClassId; }
  const std::wstring& ClassName() const { return FClassName; }
  const std::wstring& Description() const { return FDescription; }
  const std::wstring& ProgId() const { return FProgId; }
  TClassInstancing Instancing() const { return FInstancing; }
  TThreadingModel ThreadingModel() const { return FThreadingModel; }
  ITypeInfo* ClassInfo() const { return FClassInfo.Get(); }
  // The type information that IDispatch is served from: the coclass's default interface.
  ITypeInfo* DispTypeInfo() const { return FDispTypeInfo.Get(); }

  // CLSCTX_LOCAL_SERVER, multiple use, suspended when asked; raises on failure.
  void RegisterClassObject(bool suspended);
  void RevokeClassObject();
  void UpdateRegistry(bool doRegister);

 private:
  TAutoObjectFactory(TComServer& server, const TAutoClass& autoClass, const CLSID& classId,
                     TClassInstancing instancing, TThreadingModel threadingModel);
  ~TAutoObjectFactory() = default;

  std::atomic<ULONG> FRefCount{1};
  TComServer* FComServer;
  const TAutoClass& FAutoClass;
  CLSID FClassId;
  TClassInstancing FInstancing;
  TThreadingModel FThreadingModel;
  std::wstring FClassName;
  std::wstring FDescription;
  std::wstring FProgId;
  TComPtr<ITypeInfo> FClassInfo;
  TComPtr<ITypeInfo> FDispTypeInfo;
  DWORD FRegisterCookie = 0;
  bool FClassObjectRegistered = false;
};

}  // namespace quirel
