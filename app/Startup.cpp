#include "app/Startup.h"

#include <windows.h>

#include <memory>

#include "app/Modules.h"
#include "common/Errors.h"
#include "common/Globals.h"
#include "engine/CefApplication.h"
#include "ui/MainForm.h"
#include "ui/kit/Application.h"

namespace quirel {
namespace {

constexpr int CSIDL_LOCAL_APPDATA_FOLDER = 28;

// The single-instance guard: a named mutex held for the whole life of the first instance.
class TInstanceMutex {
 public:
  TInstanceMutex() {
    FHandle = CreateMutexW(nullptr, FALSE, L"App-Quirel");
    FLastError = GetLastError();
  }
  ~TInstanceMutex() { Close(); }
  TInstanceMutex(const TInstanceMutex&) = delete;
  TInstanceMutex& operator=(const TInstanceMutex&) = delete;

  // A null handle or any error (ERROR_ALREADY_EXISTS above all) means another instance.
  bool IsFirstInstance() const { return FHandle && FLastError == 0; }
  void Close() {
    if (FHandle) CloseHandle(FHandle);
    FHandle = nullptr;
  }

 private:
  HANDLE FHandle = nullptr;
  DWORD FLastError = 0;
};

void ConfigureEngine(TCefApplication& app, std::shared_ptr<std::function<void()>> webKitHook) {
  app.SetFrameworkDirPath(AppPath + L"plugin\\cef");
  app.SetResourcesDirPath(AppPath + L"plugin\\cef");
  app.SetLocalesDirPath(AppPath + L"plugin\\cef\\locales");
  app.SetCache(LocalAppDataPath + L"\\" + L"Quirel" + L"\\cef\\cache");
  app.SetUserDataPath(AppPath + L"plugin\\cef\\user data");
  app.MustFreeLibrary = false;
  app.DeleteCache = false;
  app.DeleteCookies = false;
  app.EnableGPU = true;
  app.EnableHighDPISupport = true;
  app.SingleProcess = false;
  app.OnWebKitInitialized = [webKitHook] { (*webKitHook)(); };
}

void RunBrowserProcess() {
  TInstanceMutex mutex;
  if (mutex.IsFirstInstance()) {
    kit::TApplication& ui = *kit::Application;
    ui.Initialize();
    ui.ShowMainForm = true;
    ui.MainFormOnTaskBar = true;
    ui.CreateForm<TfrmMain>();
    ui.Run();
  } else {
    MessageBoxW(kit::Application->Handle(), L"Quirel \u00E8 gi\u00E0 in esecuzione!", L"Quirel",
                MB_OK | MB_ICONWARNING | MB_TOPMOST);
  }
}

}  // namespace

int RunProgram() {
  TModuleList modules(ProgramModules());
  modules.InitializeAll();
  // Kept until the last module has been finalised: a renderer may still call it.
  auto webKitHook = std::make_shared<std::function<void()>>(&RunWebKitRegistrations);

  AppPath = ExtractFilePath(ExecutableFullPath());
  LocalAppDataPath = GetSpecialFolder(CSIDL_LOCAL_APPDATA_FOLDER);

  auto engineApp = std::make_unique<TCefApplication>();
  try {
    ConfigureEngine(*engineApp, webKitHook);
    if (engineApp->StartMainProcess()) RunBrowserProcess();
  } catch (...) {
    FreeEngineApp(engineApp);
    throw;
  }
  FreeEngineApp(engineApp);

  // The windows go only now, after the engine has been shut down.
  if (kit::Application) kit::Application->DestroyForms();
  modules.FinalizeAll();
  webKitHook.reset();
  return 0;
}

}  // namespace quirel
