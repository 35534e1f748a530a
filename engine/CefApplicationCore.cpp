#include "engine/CefApplicationCore.h"

#include <float.h>

#include <memory>

#include "common/Errors.h"
#include "engine/CacheCleanup.h"
#include "engine/CefAppObjects.h"
#include "engine/EngineFiles.h"
#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/CefRef.h"
#include "engine/capi/CefString.h"

namespace quirel {

TCefApplicationCore* GlobalCEFApp = nullptr;

namespace {

cef_string_t View(const std::wstring& text) {
  // The engine only reads these while cef_initialize runs; the object owns the storage.
  return cef_string_t{const_cast<wchar_t*>(text.c_str()), text.size(), nullptr};
}

cef_main_args_t MainArgs() { return cef_main_args_t{GetModuleHandleW(nullptr)}; }

}  // namespace

TCefApplicationCore::TCefApplicationCore() {
  if (!GlobalCEFApp) GlobalCEFApp = this;
  FProcessType = DetectProcessType();
  FDeviceScaleFactor = TCefApplicationCore::UpdateDeviceScaleFactor();
  FSettings = cef_settings_t{};
  FSettings.size = sizeof(cef_settings_t);
  ReadChromeVersion();
  // The engine's code expects every floating-point exception masked.
  _control87(_MCW_EM, _MCW_EM);
}

TCefApplicationCore::~TCefApplicationCore() {
  if (GlobalCEFApp == this) GlobalCEFApp = nullptr;
  try {
    ShutDown();
    FreeLibcefLibrary();
  } catch (...) {
    // Nothing sane is left to clean up after a failed engine shutdown.
    TerminateProcess(GetCurrentProcess(), 0);
  }
}

std::wstring TCefApplicationCore::LibCefVersion() const {
  return VersionToString(kExpectedLibCefVersion);
}

std::wstring TCefApplicationCore::LibCefPath() const {
  return FFrameworkDirPath.empty() ? L"libcef.dll"
                                   : IncludeTrailingBackslash(FFrameworkDirPath) + L"libcef.dll";
}

std::wstring TCefApplicationCore::ChromeElfPath() const {
  return FFrameworkDirPath.empty()
             ? L"chrome_elf.dll"
             : IncludeTrailingBackslash(FFrameworkDirPath) + L"chrome_elf.dll";
}

std::wstring TCefApplicationCore::ChromeVersion() const { return VersionToString(FChromeVersion); }

void TCefApplicationCore::ReadChromeVersion() {
  if (FProcessType != ptBrowser) return;
  TFileVersionInfo version;
  if (GetDLLVersion(ChromeElfPath(), version)) FChromeVersion = version;
}

bool TCefApplicationCore::GlobalContextInitialized() const {
  return FGlobalContextInitialized.load() || !MustCreateBrowserProcessHandler();
}

void TCefApplicationCore::AddCustomCommandLine(const std::wstring& name,
                                               const std::wstring& value) {
  FCustomSwitchNames.push_back(name);
  FCustomSwitchValues.push_back(value);
}

// --- Path properties. ---

void TCefApplicationCore::SetCache(const std::wstring& value) {
  FCache = ResolveEnginePath(value, false);
}
void TCefApplicationCore::SetRootCache(const std::wstring& value) {
  FRootCache = ResolveEnginePath(value, false);
}
void TCefApplicationCore::SetUserDataPath(const std::wstring& value) {
  FUserDataPath = ResolveEnginePath(value, false);
}
void TCefApplicationCore::SetBrowserSubprocessPath(const std::wstring& value) {
  FBrowserSubprocessPath = ResolveEnginePath(value, false);
}
void TCefApplicationCore::SetFrameworkDirPath(const std::wstring& value) {
  FFrameworkDirPath = ResolveEnginePath(value, true);
  ReadChromeVersion();
}
void TCefApplicationCore::SetResourcesDirPath(const std::wstring& value) {
  FResourcesDirPath = ResolveEnginePath(value, true);
}
void TCefApplicationCore::SetLocalesDirPath(const std::wstring& value) {
  FLocalesDirPath = ResolveEnginePath(value, true);
}

// --- Handler predicates. ---

bool TCefApplicationCore::MustCreateResourceBundleHandler() const {
  return (SingleProcess || FProcessType == ptBrowser || FProcessType == ptRenderer) &&
         (FMustCreateResourceBundleHandler || OnGetLocalizedString || OnGetDataResource ||
          OnGetDataResourceForScale);
}

bool TCefApplicationCore::MustCreateBrowserProcessHandler() const {
  return ((SingleProcess || FProcessType == ptBrowser) &&
          (FMustCreateBrowserProcessHandler || OnGetCookieableSchemes || OnContextInitialized ||
           OnBeforeChildProcessLaunch || OnScheduleMessagePumpWork)) ||
         static_cast<bool>(OnGetDefaultClient);
}

bool TCefApplicationCore::MustCreateLoadHandler() const {
  return (SingleProcess || FProcessType == ptRenderer) &&
         (FMustCreateLoadHandler || OnLoadingStateChange || OnLoadStart || OnLoadEnd ||
          OnLoadError);
}

bool TCefApplicationCore::MustCreateRenderProcessHandler() const {
  return (SingleProcess || FProcessType == ptRenderer) &&
         (FMustCreateRenderProcessHandler || MustCreateLoadHandler() || OnWebKitInitialized ||
          OnBrowserCreated || OnBrowserDestroyed || OnContextCreated || OnContextReleased ||
          OnUncaughtException || OnFocusedNodeChanged || OnProcessMessageReceived);
}

// --- Start paths. ---

bool TCefApplicationCore::StartMainProcess() {
  if (FStatus != asLoading) return false;
  return CefGuarded(false, [&] {
    if (!SingleProcess && !FBrowserSubprocessPath.empty()) return MultiExeProcessing();
    return SingleExeProcessing();
  });
}

bool TCefApplicationCore::SingleExeProcessing() {
  if (!VerifyEngineFiles() || !LoadEngineLibrary()) return false;
  if (FProcessType != ptBrowser) PrepareSubProcess();
  CefRef<cef_app_t> app = CefNew<TCustomCefApp>(this);
  const int result = ExecuteProcess(app.get());
  if (result < 0 && InitializeLibrary(app.get())) return true;
  TCustomCefApp::FromSelf(app.get())->RemoveReferences();
  return false;
}

bool TCefApplicationCore::MultiExeProcessing() {
  if (FProcessType != ptBrowser) return false;
  if (!VerifyEngineFiles() || !LoadEngineLibrary()) return false;
  CefRef<cef_app_t> app = CefNew<TCustomCefApp>(this);
  if (InitializeLibrary(app.get())) return true;
  TCustomCefApp::FromSelf(app.get())->RemoveReferences();
  return false;
}

int TCefApplicationCore::ExecuteProcess(cef_app_t* app) {
  try {
    const cef_main_args_t args = MainArgs();
    return g_cef.cef_execute_process(&args, CefRef<cef_app_t>::Retain(app).Detach(),
                                     WindowsSandboxInfo);
  } catch (...) {
    FStatus = asErrorExecutingProcess;
    if (ReRaiseExceptions) throw;
    return -1;
  }
}

bool TCefApplicationCore::InitializeLibrary(cef_app_t* app) {
  try {
    DeleteCacheContents();
    RegisterWidevineCDM();
    FillEngineSettings();
    const cef_main_args_t args = MainArgs();
    if (g_cef.cef_initialize(&args, &FSettings, CefRef<cef_app_t>::Retain(app).Detach(),
                             WindowsSandboxInfo) != 0) {
      FStatus = asInitialized;
      return true;
    }
    FStatus = asErrorInitializingLibrary;
    return false;
  } catch (...) {
    FStatus = asErrorInitializingLibrary;
    if (ReRaiseExceptions) throw;
    return false;
  }
}

void TCefApplicationCore::DeleteCacheContents() {
  CefGuarded([&] {
    if (DeleteCache && DeleteCookies)
      RenameAndDeleteDir(FCache, false);
    else if (DeleteCookies)
      DeleteCookieFiles(FCache);
    else if (DeleteCache)
      RenameAndDeleteDir(FCache, true);
  });
}

void TCefApplicationCore::RegisterWidevineCDM() {
  if (!FLibLoaded || WidevinePath.empty()) return;
  const DWORD attributes = GetFileAttributesW(WidevinePath.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  CefRef<cef_register_cdm_callback_t> callback = CefNew<TCefRegisterCDMCallback>(this);
  g_cef.cef_register_widevine_cdm(CefStringArg(WidevinePath), callback.Share());
}

void TCefApplicationCore::FillEngineSettings() {
  cef_settings_t& s = FSettings;
  s = cef_settings_t{};
  s.size = sizeof(cef_settings_t);
  s.no_sandbox = NoSandbox;
  s.browser_subprocess_path = View(FBrowserSubprocessPath);
  s.framework_dir_path = View(FFrameworkDirPath);
  s.main_bundle_path = View(MainBundlePath);
  s.chrome_runtime = ChromeRuntime;
  s.multi_threaded_message_loop = MultiThreadedMessageLoop;
  s.external_message_pump = ExternalMessagePump;
  s.windowless_rendering_enabled = WindowlessRenderingEnabled;
  s.command_line_args_disabled = CommandLineArgsDisabled;
  s.cache_path = View(FCache);
  s.root_cache_path = View(FRootCache);
  s.user_data_path = View(FUserDataPath);
  s.persist_session_cookies = PersistSessionCookies;
  s.persist_user_preferences = PersistUserPreferences;
  s.user_agent = View(UserAgent);
  s.product_version = View(ProductVersion);
  s.locale = View(Locale);
  s.log_file = View(LogFile);
  s.log_severity = static_cast<cef_log_severity_t>(LogSeverity);
  s.javascript_flags = View(JavaScriptFlags);
  s.resources_dir_path = View(FResourcesDirPath);
  s.locales_dir_path = View(FLocalesDirPath);
  s.pack_loading_disabled = PackLoadingDisabled;
  s.remote_debugging_port = RemoteDebuggingPort;
  s.uncaught_exception_stack_size = UncaughtExceptionStackSize;
  s.ignore_certificate_errors = IgnoreCertificateErrors;
  s.background_color = BackgroundColor;
  s.accept_language_list = View(AcceptLanguageList);
  s.application_client_id_for_file_scanning = View(ApplicationClientID);
}

// --- Running engine. ---

void TCefApplicationCore::SetOsmodalLoop(bool value) {
  if (FStatus == asInitialized) g_cef.cef_set_osmodal_loop(value ? 1 : 0);
}

void TCefApplicationCore::ReportStartupError(const std::wstring& message) {
  if (ShowMessageDlg)
    MessageBoxW(nullptr, message.c_str(), L"Error", MB_OK | MB_ICONERROR | MB_TOPMOST);
  if (MissingBinariesException) throw Exception(message);
}

float TCefApplicationCore::UpdateDeviceScaleFactor() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return static_cast<float>(dpi) / 96.0f;
}

void TCefApplicationCore::ApplySupportedSchemes(bool includeDefaults) {
  if (SupportedSchemes.empty()) return;
  CefRef<cef_cookie_manager_t> manager =
      CefAdopt(g_cef.cef_cookie_manager_get_global_manager(nullptr));
  if (!manager) return;
  std::unique_ptr<void, cef_string_list_free_fn> schemes(g_cef.cef_string_list_alloc(),
                                                         g_cef.cef_string_list_free);
  for (const std::wstring& scheme : SupportedSchemes)
    g_cef.cef_string_list_append(schemes.get(), CefStringArg(scheme));
  manager->set_supported_schemes(manager.get(), schemes.get(), includeDefaults ? 1 : 0, nullptr);
}

// --- Shutdown. ---

void TCefApplicationCore::ShutDown() {
  if (FProcessType != ptBrowser || FStatus != asInitialized) return;
  FStatus = asShuttingDown;
  g_cef.cef_shutdown();
}

void TCefApplicationCore::FreeLibcefLibrary() {
  if (MustFreeLibrary && FLibHandle) FreeLibrary(FLibHandle);
  FLibHandle = nullptr;
  FLibLoaded = false;
  FStatus = asUnloaded;
}

}  // namespace quirel
