#include "automation/ComServer.h"

#include <objbase.h>

#include "automation/AutoObjectFactory.h"
#include "automation/OleErrors.h"
#include "common/Globals.h"
#include "ui/kit/Application.h"

namespace quirel {

TComServer* ComServer = nullptr;

const wchar_t kActiveServerWarning[] =
    L"There are still active COM objects in this application.  One or more clients may have "
    L"references to these objects, so manually closing this application may cause those "
    L"client application(s) to fail.\r\n\r\nAre you sure you want to close this application?";

namespace {

using TRegisterTypeLibForUser = HRESULT(WINAPI*)(ITypeLib*, OLECHAR*, OLECHAR*);
using TUnRegisterTypeLibForUser = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);

std::wstring WithoutTrailingBackslash(std::wstring path) {
  if (path.size() > 1 && path.back() == L'\\') path.pop_back();
  return path;
}

}  // namespace

TComServer::TLibrary::TLibrary(const wchar_t* name) {
  // A missing file must not bring up the system's error box.
  const UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  FHandle = LoadLibraryW(name);
  SetErrorMode(oldMode);
}

TComServer::TLibrary::~TLibrary() {
  if (FHandle) FreeLibrary(FHandle);
}

FARPROC TComServer::TLibrary::Address(const char* name) const {
  return FHandle ? GetProcAddress(FHandle, name) : nullptr;
}

TComServer::TComServer(const std::vector<std::wstring>& arguments, std::wstring typeLibFile)
    : FOleAut(L"OLEAUT32.DLL"),
      FMainThreadId(GetCurrentThreadId()),
      FTypeLibFile(std::move(typeLibFile)) {
  const TServerSwitches switches = ParseServerSwitches(arguments);
  FStartMode = switches.StartMode;
  FPerUser = switches.PerUser;
  if (!ComServer) ComServer = this;
  if (kit::Application) {
    // Through the global: the hooks outlive this object in the application's lists.
    kit::Application->AddInitProc([] {
      if (ComServer) ComServer->Initialize();
    });
    kit::Application->AddTerminateQuery([] { return !ComServer || ComServer->CanTerminate(); });
  }
}

TComServer::~TComServer() {
  for (TComPtr<TAutoObjectFactory>& factory : FFactories) {
    factory->RevokeClassObject();
    factory->DetachServer();
  }
  FFactories.clear();
  if (ComServer == this) ComServer = nullptr;
}

ITypeLib* TComServer::TypeLib() {
  if (!FTypeLib) {
    const std::wstring file = FTypeLibFile.empty() ? ExecutableFullPath() : FTypeLibFile;
    OleCheck(LoadTypeLibEx(file.c_str(), REGKIND_NONE, FTypeLib.Put()));
  }
  return FTypeLib.Get();
}

std::wstring TComServer::ServerName() {
  TBStr name;
  OleCheck(TypeLib()->GetDocumentation(MEMBERID_NIL, name.Put(), nullptr, nullptr, nullptr));
  return name.Text();
}

std::wstring TComServer::ServerFileName() const {
  const std::wstring path = ExecutableFullPath();
  std::wstring longPath(32768, L'\0');
  const DWORD n =
      GetLongPathNameW(path.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
  if (n == 0 || n >= longPath.size()) return path;
  longPath.resize(n);
  return longPath;
}

void TComServer::AddFactory(TAutoObjectFactory* factory) { FFactories.emplace_back(factory); }

void TComServer::CountObject(bool created) {
  if (created) {
    ++FObjectCount;
    if (FStartMode == smAutomation) CoAddRefServerProcess();
    return;
  }
  const long left = --FObjectCount;
  if (FStartMode == smAutomation) {
    // COM suspends the class objects itself when its process count reaches 0.
    if (CoReleaseServerProcess() == 0) LastReleased();
  } else if (left == 0) {
    LastReleased();
  }
}

void TComServer::LastReleased() {
  bool shutdown = FStartMode == smAutomation;
  if (OnLastRelease) OnLastRelease(shutdown);
  if (shutdown) PostThreadMessageW(FMainThreadId, WM_QUIT, 0, 0);
}

void TComServer::Initialize() {
  FStartSuspended = kit::Application && kit::Application->ComInitFlags.has_value();
  if (FStartMode == smRegServer || FStartMode == smUnregServer) {
    UpdateRegistry(FStartMode == smRegServer);
    if (OnHalt) OnHalt();
    ExitProcess(0);
  }
  for (TComPtr<TAutoObjectFactory>& factory : FFactories)
    factory->RegisterClassObject(FStartSuspended);
  if (FStartSuspended) OleCheck(CoResumeClassObjects());
}

void TComServer::UpdateRegistry(bool doRegister) {
  if (doRegister)
    RegisterTypeLibrary();
  else
    UnregisterTypeLibrary();
  for (TComPtr<TAutoObjectFactory>& factory : FFactories) factory->UpdateRegistry(doRegister);
}

void TComServer::RegisterTypeLibrary() {
  std::wstring file = ServerFileName();
  std::wstring helpFolder = WithoutTrailingBackslash(ExtractFilePath(file));
  auto forUser =
      FPerUser ? FOleAut.Function<TRegisterTypeLibForUser>("RegisterTypeLibForUser") : nullptr;
  if (forUser)
    OleCheck(forUser(TypeLib(), file.data(), helpFolder.data()));
  else
    OleCheck(RegisterTypeLib(TypeLib(), file.data(), helpFolder.data()));
}

void TComServer::UnregisterTypeLibrary() {
  TLIBATTR* attr = nullptr;
  if (FAILED(TypeLib()->GetLibAttr(&attr))) return;
  const TLIBATTR lib = *attr;
  TypeLib()->ReleaseTLibAttr(attr);
  auto forUser =
      FPerUser ? FOleAut.Function<TUnRegisterTypeLibForUser>("UnRegisterTypeLibForUser") : nullptr;
  // Nothing to report: the library may well not be registered.
  if (forUser)
    forUser(lib.guid, lib.wMajorVerNum, lib.wMinorVerNum, lib.lcid, lib.syskind);
  else
    UnRegisterTypeLib(lib.guid, lib.wMajorVerNum, lib.wMinorVerNum, lib.lcid, lib.syskind);
}

bool TComServer::CanTerminate() {
  if (FObjectCount.load() <= 0 || !FUIInteractive) return true;
  return MessageBoxW(nullptr, kActiveServerWarning, L"COM Server Warning",
                     MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | MB_TASKMODAL) == IDYES;
}

}  // namespace quirel
