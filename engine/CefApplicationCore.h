// The process-wide configuration of the browser engine: decides the process's role from
// the command line, verifies and loads libcef.dll, starts the engine in that role, hands
// it the objects it calls back through, and shuts it down.
// One object per process (GlobalCEFApp); configured and started on the main thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/CefTypes.h"
#include "engine/capi/cef_capi.h"

namespace quirel {

class TCefApplicationCore;

// The first TCefApplicationCore constructed; cleared by its destructor.
extern TCefApplicationCore* GlobalCEFApp;

// Four numbers of a file's fixed version information.
struct TFileVersionInfo {
  uint16_t MajorVer = 0;
  uint16_t MinorVer = 0;
  uint16_t Release = 0;
  uint16_t Build = 0;
};

// Folder of the running executable, with trailing backslash.
std::wstring ExecutableFolder();
std::wstring IncludeTrailingBackslash(const std::wstring& path);

// Makes a configured path absolute against the executable's folder and canonical; when
// mustExist is set, a folder that does not exist gives "".
std::wstring ResolveEnginePath(const std::wstring& path, bool mustExist);

// The role the command line gives this process: the last "--type=" parameter decides.
TCefProcessType DetectProcessType(const std::vector<std::wstring>& parameters);
// The same, for this process's own command line.
TCefProcessType DetectProcessType();
// This process's command-line parameters, without the program.
std::vector<std::wstring> CommandLineParameters();

// Working lists of engine switches: names and values in parallel.
struct TSwitchList {
  std::vector<std::wstring> Names;
  std::vector<std::wstring> Values;
};
void SetSwitchValue(TSwitchList& list, const std::wstring& name, const std::wstring& value);
void MergeListSwitch(TSwitchList& list, const std::wstring& name, const std::wstring& value);

class TCefApplicationCore {
 public:
  TCefApplicationCore();
  virtual ~TCefApplicationCore();
  TCefApplicationCore(const TCefApplicationCore&) = delete;
  TCefApplicationCore& operator=(const TCefApplicationCore&) = delete;

  // Starts the engine in this process's role; true only in a browser process whose engine
  // has been initialised. A sub-process runs its whole life inside this call.
  bool StartMainProcess();
  void AddCustomCommandLine(const std::wstring& name, const std::wstring& value);
  // The two custom switch lists, names and values in parallel.
  std::vector<std::wstring>& CustomSwitchNames() { return FCustomSwitchNames; }
  std::vector<std::wstring>& CustomSwitchValues() { return FCustomSwitchValues; }

  // --- Virtual operations, in the order the engine host relies on. ---
  virtual bool MustCreateResourceBundleHandler() const;
  virtual bool MustCreateBrowserProcessHandler() const;
  virtual bool MustCreateRenderProcessHandler() const;
  virtual bool MustCreateLoadHandler() const;
  virtual bool LoadEngineLibrary();
  virtual void PrepareSubProcess() {}
  virtual void ReportStartupError(const std::wstring& message);
  virtual void ApplySupportedSchemes(bool includeDefaults);
  virtual void AddPropertySwitches(TSwitchList& list);
  virtual float UpdateDeviceScaleFactor();

  // File, version and machine-type checks of the engine files (browser process only).
  bool VerifyEngineFiles();

  // --- Read-only state. ---
  TCefAplicationStatus Status() const { return FStatus; }
  TCefProcessType ProcessType() const { return FProcessType; }
  const std::wstring& MissingLibFiles() const { return FMissingLibFiles; }
  bool LibLoaded() const { return FLibLoaded; }
  bool GlobalContextInitialized() const;
  float DeviceScaleFactor() const { return FDeviceScaleFactor; }
  std::wstring LibCefVersion() const;
  std::wstring LibCefPath() const;
  std::wstring ChromeElfPath() const;
  uint16_t ChromeMajorVer() const { return FChromeVersion.MajorVer; }
  uint16_t ChromeMinorVer() const { return FChromeVersion.MinorVer; }
  uint16_t ChromeRelease() const { return FChromeVersion.Release; }
  uint16_t ChromeBuild() const { return FChromeVersion.Build; }
  std::wstring ChromeVersion() const;
  HMODULE LibHandle() const { return FLibHandle; }

  // --- Path properties: the setters normalise (ResolveEnginePath). ---
  const std::wstring& Cache() const { return FCache; }
  void SetCache(const std::wstring& value);
  const std::wstring& RootCache() const { return FRootCache; }
  void SetRootCache(const std::wstring& value);
  const std::wstring& UserDataPath() const { return FUserDataPath; }
  void SetUserDataPath(const std::wstring& value);
  const std::wstring& BrowserSubprocessPath() const { return FBrowserSubprocessPath; }
  void SetBrowserSubprocessPath(const std::wstring& value);
  const std::wstring& FrameworkDirPath() const { return FFrameworkDirPath; }
  void SetFrameworkDirPath(const std::wstring& value);
  const std::wstring& ResourcesDirPath() const { return FResourcesDirPath; }
  void SetResourcesDirPath(const std::wstring& value);
  const std::wstring& LocalesDirPath() const { return FLocalesDirPath; }
  void SetLocalesDirPath(const std::wstring& value);

  // Writes reach the engine only while it is initialised.
  void SetOsmodalLoop(bool value);

  void SetMustCreateResourceBundleHandler(bool v) { FMustCreateResourceBundleHandler = v; }
  void SetMustCreateBrowserProcessHandler(bool v) { FMustCreateBrowserProcessHandler = v; }
  void SetMustCreateRenderProcessHandler(bool v) { FMustCreateRenderProcessHandler = v; }
  void SetMustCreateLoadHandler(bool v) { FMustCreateLoadHandler = v; }

  // --- Settings handed to cef_initialize (the other path fields are above). ---
  bool NoSandbox = true;
  std::wstring MainBundlePath;
  bool ChromeRuntime = false;
  bool MultiThreadedMessageLoop = true;
  bool ExternalMessagePump = false;
  bool WindowlessRenderingEnabled = false;
  bool CommandLineArgsDisabled = false;
  bool PersistSessionCookies = false;
  bool PersistUserPreferences = false;
  std::wstring UserAgent;
  std::wstring ProductVersion;
  std::wstring Locale;
  std::wstring LogFile;
  uint32_t LogSeverity = LOGSEVERITY_DISABLE;
  std::wstring JavaScriptFlags;
  bool PackLoadingDisabled = false;
  int32_t RemoteDebuggingPort = 0;
  int32_t UncaughtExceptionStackSize = 0;
  bool IgnoreCertificateErrors = false;
  uint32_t BackgroundColor = 0;
  std::wstring AcceptLanguageList;
  std::wstring ApplicationClientID;

  // --- Behaviour. ---
  bool DeleteCache = false;
  bool DeleteCookies = false;
  bool CheckCEFFiles = true;
  bool CheckDevToolsResources = true;
  std::wstring LocalesRequired;
  bool SetCurrentDir = false;
  bool ShowMessageDlg = true;
  bool MissingBinariesException = false;
  bool ReRaiseExceptions = false;
  bool EnableHighDPISupport = false;
  bool MustFreeLibrary = false;
  std::wstring WidevinePath;
  void* WindowsSandboxInfo = nullptr;
  std::vector<std::wstring> SupportedSchemes;
  bool SingleProcess = false;

  // --- Properties that only produce engine switches. ---
  bool FlashEnabled = true;
  std::wstring CustomFlashPath;
  bool EnableMediaStream = true;
  bool EnableSpeechInput = true;
  bool UseFakeUIForMediaStream = false;
  bool EnableUsermediaScreenCapturing = false;
  bool EnableGPU = false;
  cef_state_t SmoothScrolling = STATE_DEFAULT;
  cef_state_t TouchEvents = STATE_DEFAULT;
  bool DisableReadingFromCanvas = false;
  bool HyperlinkAuditing = true;
  TCefAutoplayPolicy AutoplayPolicy = appDefault;
  bool FastUnload = false;
  bool DisableSafeBrowsing = false;
  bool DisableGPUCache() const { return FCache.empty(); }
  // Flag list: browser.
  bool MuteAudio = false;
  bool DisableWebSecurity = false;
  bool DisablePDFExtension = false;
  bool DisableSiteIsolationTrials = false;
  bool SitePerProcess = false;
  bool DisableExtensions = false;
  bool DisableBackgroundNetworking = false;
  bool MetricsRecordingOnly = false;
  bool AllowFileAccessFromFiles = false;
  bool AllowRunningInsecureContent = false;
  bool EnablePrintPreview = false;
  bool DisableNewBrowserInfoTimeout = false;
  std::wstring DevToolsProtocolLogFile;
  TCefPluginPolicySwitch PluginPolicy = PLUGIN_POLICY_SWITCH_ALLOW;
  std::wstring DefaultEncoding;
  // Flag list: JavaScript and pages.
  bool DisableJavascript = false;
  bool DisableJavascriptCloseWindows = false;
  bool DisableJavascriptAccessClipboard = false;
  bool DisableJavascriptDomPaste = false;
  bool AllowUniversalAccessFromFileUrls = false;
  bool DisableImageLoading = false;
  bool ImageShrinkStandaloneToFit = false;
  bool DisableTextAreaResize = false;
  bool DisableTabToLinks = false;
  bool DisablePlugins = false;
  bool EnableProfanityFilter = false;
  bool DisableSpellChecking = false;
  std::wstring OverrideSpellCheckLang;
  std::wstring EnableFeatures;
  std::wstring DisableFeatures;
  std::wstring EnableBlinkFeatures;
  std::wstring DisableBlinkFeatures;
  std::wstring BlinkSettings;
  std::wstring ForceFieldTrials;
  std::wstring ForceFieldTrialParams;

  // --- Events (all unassigned by default). ---
  std::function<void(cef_scheme_registrar_t*)> OnRegCustomSchemes;
  std::function<void(cef_string_list_t, int*)> OnGetCookieableSchemes;
  std::function<void()> OnContextInitialized;
  std::function<void(cef_command_line_t*)> OnBeforeChildProcessLaunch;
  std::function<void(int64)> OnScheduleMessagePumpWork;
  // The client for browsers made without one: what it returns carries one reference for the
  // engine (give CefRef::Share() or Detach(), never a borrowed pointer), or null.
  std::function<cef_client_t*()> OnGetDefaultClient;
  std::function<int(int, cef_string_t*)> OnGetLocalizedString;
  std::function<int(int, void**, size_t*)> OnGetDataResource;
  std::function<int(int, cef_scale_factor_t, void**, size_t*)> OnGetDataResourceForScale;
  std::function<void()> OnWebKitInitialized;
  std::function<void(cef_browser_t*, cef_dictionary_value_t*)> OnBrowserCreated;
  std::function<void(cef_browser_t*)> OnBrowserDestroyed;
  std::function<void(cef_browser_t*, cef_frame_t*, cef_v8context_t*)> OnContextCreated;
  std::function<void(cef_browser_t*, cef_frame_t*, cef_v8context_t*)> OnContextReleased;
  std::function<void(cef_browser_t*, cef_frame_t*, cef_v8context_t*, cef_v8exception_t*,
                     cef_v8stack_trace_t*)>
      OnUncaughtException;
  std::function<void(cef_browser_t*, cef_frame_t*, cef_domnode_t*)> OnFocusedNodeChanged;
  std::function<int(cef_browser_t*, cef_frame_t*, cef_process_id_t, cef_process_message_t*)>
      OnProcessMessageReceived;
  std::function<void(cef_browser_t*, int, int, int)> OnLoadingStateChange;
  std::function<void(cef_browser_t*, cef_frame_t*, cef_transition_type_t)> OnLoadStart;
  std::function<void(cef_browser_t*, cef_frame_t*, int)> OnLoadEnd;
  std::function<void(cef_browser_t*, cef_frame_t*, cef_errorcode_t, const cef_string_t*,
                     const cef_string_t*)>
      OnLoadError;
  std::function<void(cef_cdm_registration_error_t, const cef_string_t*)> OnCDMRegistrationComplete;

  // --- Entry points of the engine objects (each under the exception policy). ---
  void Internal_OnBeforeCommandLineProcessing(const std::wstring& processType,
                                              cef_command_line_t* commandLine);
  void Internal_OnRegisterCustomSchemes(cef_scheme_registrar_t* registrar);
  void Internal_OnContextInitialized();
  void Internal_OnWebKitInitialized();
  void Internal_OnGetCookieableSchemes(cef_string_list_t schemes, int* includeDefaults);
  void Internal_OnBeforeChildProcessLaunch(cef_command_line_t* commandLine);
  void Internal_OnScheduleMessagePumpWork(int64 delayMs);
  // OnGetDefaultClient's answer, with the reference it carries for the engine.
  cef_client_t* Internal_OnGetDefaultClient();
  int Internal_OnGetLocalizedString(int stringId, cef_string_t* string);
  int Internal_OnGetDataResource(int resourceId, void** data, size_t* size);
  int Internal_OnGetDataResourceForScale(int resourceId, cef_scale_factor_t scale, void** data,
                                         size_t* size);
  void Internal_OnBrowserCreated(cef_browser_t* browser, cef_dictionary_value_t* extraInfo);
  void Internal_OnBrowserDestroyed(cef_browser_t* browser);
  void Internal_OnContextCreated(cef_browser_t* browser, cef_frame_t* frame,
                                 cef_v8context_t* context);
  void Internal_OnContextReleased(cef_browser_t* browser, cef_frame_t* frame,
                                  cef_v8context_t* context);
  void Internal_OnUncaughtException(cef_browser_t* browser, cef_frame_t* frame,
                                    cef_v8context_t* context, cef_v8exception_t* exception,
                                    cef_v8stack_trace_t* stackTrace);
  void Internal_OnFocusedNodeChanged(cef_browser_t* browser, cef_frame_t* frame,
                                     cef_domnode_t* node);
  int Internal_OnProcessMessageReceived(cef_browser_t* browser, cef_frame_t* frame,
                                        cef_process_id_t sourceProcess,
                                        cef_process_message_t* message);
  void Internal_OnLoadingStateChange(cef_browser_t* browser, int isLoading, int canGoBack,
                                     int canGoForward);
  void Internal_OnLoadStart(cef_browser_t* browser, cef_frame_t* frame,
                            cef_transition_type_t transitionType);
  void Internal_OnLoadEnd(cef_browser_t* browser, cef_frame_t* frame, int httpStatusCode);
  void Internal_OnLoadError(cef_browser_t* browser, cef_frame_t* frame, cef_errorcode_t errorCode,
                            const cef_string_t* errorText, const cef_string_t* failedUrl);
  void Internal_OnCDMRegistrationComplete(cef_cdm_registration_error_t result,
                                          const cef_string_t* errorMessage);

  // The settings record as cef_initialize receives it (filled by FillEngineSettings).
  const cef_settings_t& Settings() const { return FSettings; }

 protected:
  void FillEngineSettings();
  // A derived class's own scale rule, which construction cannot dispatch to.
  void SetDeviceScaleFactor(float value) { FDeviceScaleFactor = value; }

 private:
  bool SingleExeProcessing();
  bool MultiExeProcessing();
  int ExecuteProcess(cef_app_t* app);
  bool InitializeLibrary(cef_app_t* app);
  void RegisterWidevineCDM();
  void ShutDown();
  void FreeLibcefLibrary();
  void ReadChromeVersion();
  void DeleteCacheContents();

  TCefAplicationStatus FStatus = asLoading;
  TCefProcessType FProcessType = ptBrowser;
  std::wstring FMissingLibFiles;
  bool FLibLoaded = false;
  HMODULE FLibHandle = nullptr;
  // Written once on the engine's UI thread, polled from the main thread.
  std::atomic<bool> FGlobalContextInitialized{false};
  float FDeviceScaleFactor = 1.0f;
  TFileVersionInfo FChromeVersion{87, 0, 4280, 66};

  std::wstring FCache;
  std::wstring FRootCache;
  std::wstring FUserDataPath;
  std::wstring FBrowserSubprocessPath;
  std::wstring FFrameworkDirPath;
  std::wstring FResourcesDirPath;
  std::wstring FLocalesDirPath;

  bool FMustCreateResourceBundleHandler = false;
  bool FMustCreateBrowserProcessHandler = true;
  bool FMustCreateRenderProcessHandler = false;
  bool FMustCreateLoadHandler = false;

  std::vector<std::wstring> FCustomSwitchNames;
  std::vector<std::wstring> FCustomSwitchValues;
  cef_settings_t FSettings{};
};

// Runs `body` under the engine host's exception policy: an exception is dropped, and
// `failure` returned, unless GlobalCEFApp asks for it to be raised again.
template <typename R, typename F>
R CefGuarded(R failure, F&& body) {
  try {
    return body();
  } catch (...) {
    if (GlobalCEFApp && GlobalCEFApp->ReRaiseExceptions) throw;
    return failure;
  }
}
template <typename F>
void CefGuarded(F&& body) {
  try {
    body();
  } catch (...) {
    if (GlobalCEFApp && GlobalCEFApp->ReRaiseExceptions) throw;
  }
}

}  // namespace quirel
