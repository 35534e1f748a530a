#include "automation/AutoObjectFactory.h"

#include <objbase.h>

#include "automation/ComServer.h"
#include "automation/OleErrors.h"
#include "automation/ServerRegistry.h"
#include "common/Errors.h"
#include "ui/kit/Application.h"

namespace quirel {
namespace {

std::wstring ForClass(const wchar_t* format, const wchar_t* className) {
  std::wstring text = format;
  text.replace(text.find(L"%s"), 2, className);
  return text;
}

// The coclass's default interface that is not a source of events; null when none.
TComPtr<ITypeInfo> DefaultInterface(ITypeInfo* classInfo) {
  TYPEATTR* attr = nullptr;
  OleCheck(classInfo->GetTypeAttr(&attr));
  const WORD count = attr->cImplTypes;
  classInfo->ReleaseTypeAttr(attr);
  for (UINT i = 0; i < count; ++i) {
    INT flags = 0;
    OleCheck(classInfo->GetImplTypeFlags(i, &flags));
    if ((flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) != IMPLTYPEFLAG_FDEFAULT) continue;
    HREFTYPE ref = 0;
    OleCheck(classInfo->GetRefTypeOfImplType(i, &ref));
    TComPtr<ITypeInfo> info;
    OleCheck(classInfo->GetRefTypeInfo(ref, info.Put()));
    return info;
  }
  return {};
}

GUID TypeGuid(ITypeInfo* info) {
  TYPEATTR* attr = nullptr;
  OleCheck(info->GetTypeAttr(&attr));
  const GUID guid = attr->guid;
  info->ReleaseTypeAttr(attr);
  return guid;
}

std::wstring TypeLibVersion(ITypeLib* lib) {
  TLIBATTR* attr = nullptr;
  OleCheck(lib->GetLibAttr(&attr));
  const std::wstring version =
      std::to_wstring(attr->wMajorVerNum) + L"." + std::to_wstring(attr->wMinorVerNum);
  lib->ReleaseTLibAttr(attr);
  return version;
}

GUID TypeLibId(ITypeLib* lib) {
  TLIBATTR* attr = nullptr;
  OleCheck(lib->GetLibAttr(&attr));
  const GUID guid = attr->guid;
  lib->ReleaseTLibAttr(attr);
  return guid;
}

}  // namespace

std::wstring DaxErrorText(const std::wstring& message) {
  if (!message.empty() && message.back() == L'.') return message;
  return message + L".";
}

TComPtr<TAutoObjectFactory> TAutoObjectFactory::Create(TComServer& server,
                                                       const TAutoClass& autoClass,
                                                       const CLSID& classId,
                                                       TClassInstancing instancing,
                                                       TThreadingModel threadingModel) {
  auto factory = TComPtr<TAutoObjectFactory>::Attach(
      new TAutoObjectFactory(server, autoClass, classId, instancing, threadingModel));
  server.AddFactory(factory.Get());
  return factory;
}

TAutoObjectFactory::TAutoObjectFactory(TComServer& server, const TAutoClass& autoClass,
                                       const CLSID& classId, TClassInstancing instancing,
                                       TThreadingModel threadingModel)
    : FComServer(&server),
      FAutoClass(autoClass),
      FClassId(classId),
      FInstancing(instancing),
      FThreadingModel(threadingModel) {
  ITypeLib* lib = server.TypeLib();
  if (FAILED(lib->GetTypeInfoOfGuid(classId, FClassInfo.Put())))
    throw EOleError(ForClass(L"Type information missing for class %s", autoClass.ClassName));
  TBStr name, description;
  OleCheck(
      FClassInfo->GetDocumentation(MEMBERID_NIL, name.Put(), description.Put(), nullptr, nullptr));
  FClassName = name.Text();
  FDescription = description.Text();
  FProgId = server.ServerName() + L"." + FClassName;

  FDispTypeInfo = DefaultInterface(FClassInfo.Get());
  if (!FDispTypeInfo)
    throw EOleError(ForClass(L"Incorrect type information for class %s", autoClass.ClassName));
  if (TypeGuid(FDispTypeInfo.Get()) != autoClass.Interface)
    throw EOleError(ForClass(L"Dispatch interface missing from class %s", autoClass.ClassName));

  // The objects live in the main thread's apartment: COM there has to match.
  if (kit::Application)
    kit::Application->ComInitFlags =
        threadingModel == tmApartment ? COINIT_APARTMENTTHREADED : COINIT_MULTITHREADED;
}

HRESULT STDMETHODCALLTYPE TAutoObjectFactory::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IClassFactory) {
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TAutoObjectFactory::AddRef() { return ++FRefCount; }

ULONG STDMETHODCALLTYPE TAutoObjectFactory::Release() {
  const ULONG left = --FRefCount;
  if (left == 0) delete this;
  return left;
}

HRESULT STDMETHODCALLTYPE TAutoObjectFactory::CreateInstance(IUnknown* outer, REFIID riid,
                                                             void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  // An aggregate must hold the object by its own IUnknown.
  if (outer && riid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
  TComPtr<IUnknown> created;
  try {
    created = TComPtr<IUnknown>::Attach(FAutoClass.Create(*this, outer));
  } catch (const std::exception& e) {
    const std::wstring text = DaxErrorText(ExceptionMessage(e));
    MessageBoxW(nullptr, text.c_str(), L"DAX Error", MB_ICONHAND | MB_SETFOREGROUND);
    return E_UNEXPECTED;
  } catch (...) {
    return E_UNEXPECTED;
  }
  // When the interface is not there, the object goes with `created`.
  return created->QueryInterface(riid, object);
}

HRESULT STDMETHODCALLTYPE TAutoObjectFactory::LockServer(BOOL lock) {
  const HRESULT hr = CoLockObjectExternal(static_cast<IClassFactory*>(this), lock, TRUE);
  if (FComServer) FComServer->CountObject(lock != FALSE);
  return hr;
}

void TAutoObjectFactory::RegisterClassObject(bool suspended) {
  if (FInstancing == ciInternal || FClassObjectRegistered) return;
  const DWORD flags = REGCLS_MULTIPLEUSE | (suspended ? REGCLS_SUSPENDED : 0);
  OleCheck(CoRegisterClassObject(FClassId, static_cast<IClassFactory*>(this), CLSCTX_LOCAL_SERVER,
                                 flags, &FRegisterCookie));
  FClassObjectRegistered = true;
}

void TAutoObjectFactory::RevokeClassObject() {
  if (!FClassObjectRegistered) return;
  FClassObjectRegistered = false;
  CoRevokeClassObject(FRegisterCookie);
}

void TAutoObjectFactory::UpdateRegistry(bool doRegister) {
  if (FInstancing == ciInternal || !FComServer) return;
  const std::wstring longPath = FComServer->ServerFileName();
  std::wstring shortPath(32768, L'\0');
  const DWORD n =
      GetShortPathNameW(longPath.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
  shortPath.resize(n < shortPath.size() ? n : 0);

  ITypeLib* lib = FComServer->TypeLib();
  const TClassRegistration registration{
      GuidToString(FClassId), FProgId,
      FDescription,           LocalServerValue(longPath, shortPath),
      TypeLibVersion(lib),    GuidToString(TypeLibId(lib))};
  const TRegistryRoot root = ClassesRoot(FComServer->PerUser());
  if (doRegister)
    WriteRegistryEntries(root, ClassRegistryEntries(registration));
  else
    DeleteRegistryKeys(root, ClassRegistryDeletions(registration));
}

}  // namespace quirel
