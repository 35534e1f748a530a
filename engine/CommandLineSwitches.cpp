// The engine command line of the browser process: the switches it was started with, merged
// with the ones that follow from the application object's properties.
#include <windows.h>

#include <memory>

#include "engine/CefApplicationCore.h"
#include "engine/EngineFiles.h"
#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/CefString.h"

namespace quirel {
namespace {

bool SameTextNoCase(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// ProductName of a file's version information, looked up for each translation the file
// lists and then for the first language with the Windows Latin-1 code page.
bool HasProductName(const std::wstring& file, const std::wstring& wanted) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
  if (size == 0) return false;
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return false;
  struct Translation {
    WORD language, codePage;
  };
  void* block = nullptr;
  UINT length = 0;
  std::vector<Translation> translations;
  if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &block, &length)) {
    auto* first = static_cast<const Translation*>(block);
    translations.assign(first, first + length / sizeof(Translation));
  }
  if (!translations.empty()) translations.push_back({translations.front().language, 1252});
  for (const Translation& t : translations) {
    wchar_t query[64];
    swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\ProductName", t.language, t.codePage);
    void* value = nullptr;
    UINT valueLength = 0;
    if (VerQueryValueW(data.data(), query, &value, &valueLength) && valueLength > 0 &&
        SameTextNoCase(static_cast<const wchar_t*>(value), wanted))
      return true;
  }
  return false;
}

// The Flash plug-in DLL in folder: the first *.dll whose product is "Shockwave Flash".
std::wstring FindFlashDLL(const std::wstring& folder) {
  if (folder.empty()) return {};
  std::wstring prefix = folder;
  if (prefix.back() != L'\\') prefix += L'\\';
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((prefix + L"*.dll").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  std::unique_ptr<void, decltype(&FindClose)> closer(search, &FindClose);
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::wstring path = prefix + found.cFileName;
    if (HasProductName(path, L"Shockwave Flash")) return path;
  } while (FindNextFileW(search, &found));
  return {};
}

}  // namespace

void TCefApplicationCore::Internal_OnBeforeCommandLineProcessing(const std::wstring& processType,
                                                                 cef_command_line_t* commandLine) {
  CefGuarded([&] {
    if (!commandLine || !commandLine->is_valid(commandLine) || FProcessType != ptBrowser ||
        !processType.empty())
      return;

    TSwitchList list;
    {
      std::unique_ptr<void, cef_string_map_free_fn> map(g_cef.cef_string_map_alloc(),
                                                        g_cef.cef_string_map_free);
      commandLine->get_switches(commandLine, map.get());
      const size_t count = g_cef.cef_string_map_size(map.get());
      for (size_t i = 0; i < count; ++i) {
        CefStringOut key, value;
        g_cef.cef_string_map_key(map.get(), i, key.get());
        g_cef.cef_string_map_value(map.get(), i, value.get());
        list.Names.push_back(key.str());
        list.Values.push_back(value.str());
      }
    }

    AddPropertySwitches(list);

    commandLine->reset(commandLine);
    for (size_t i = 0; i < list.Names.size(); ++i) {
      if (list.Names[i].empty()) continue;
      CefStringArg name(list.Names[i]);
      if (list.Values[i].empty()) {
        commandLine->append_switch(commandLine, name);
      } else {
        CefStringArg value(list.Values[i]);
        commandLine->append_switch_with_value(commandLine, name, value);
      }
    }
  });
}

void TCefApplicationCore::AddPropertySwitches(TSwitchList& list) {
  auto set = [&](const wchar_t* name, const std::wstring& value = {}) {
    SetSwitchValue(list, name, value);
  };

  // 1. Flash: a plug-in DLL of our own choice, else the system's.
  TFileVersionInfo flashVersion;
  const std::wstring flash = FindFlashDLL(CustomFlashPath);
  if (!flash.empty() && GetDLLVersion(flash, flashVersion)) {
    if (EnableGPU) set(L"--enable-gpu-plugin");
    set(L"--enable-accelerated-plugins");
    set(L"--ppapi-flash-path", flash);
    set(L"--ppapi-flash-version", VersionToString(flashVersion));
  } else if (FlashEnabled) {
    if (EnableGPU) set(L"--enable-gpu-plugin");
    set(L"--enable-accelerated-plugins");
    set(L"--enable-system-flash");
  }
  // 2.-15.
  set(L"--enable-media-stream", EnableMediaStream ? L"1" : L"0");
  set(L"--enable-speech-input", EnableSpeechInput ? L"1" : L"0");
  if (UseFakeUIForMediaStream) set(L"--use-fake-ui-for-media-stream");
  if (EnableUsermediaScreenCapturing) set(L"--enable-usermedia-screen-capturing");
  if (!EnableGPU) {
    set(L"--disable-gpu");
    set(L"--disable-gpu-compositing");
  }
  if (SingleProcess) set(L"--single-process");
  if (SmoothScrolling == STATE_ENABLED) set(L"--enable-smooth-scrolling");
  if (SmoothScrolling == STATE_DISABLED) set(L"--disable-smooth-scrolling");
  if (TouchEvents == STATE_ENABLED) set(L"--touch-events", L"enabled");
  if (TouchEvents == STATE_DISABLED) set(L"--touch-events", L"disabled");
  if (DisableReadingFromCanvas) set(L"--disable-reading-from-canvas");
  if (!HyperlinkAuditing) set(L"--no-pings");
  switch (AutoplayPolicy) {
    case appDocumentUserActivationRequired:
      set(L"--autoplay-policy", L"document-user-activation-required");
      break;
    case appNoUserGestureRequired:
      set(L"--autoplay-policy", L"no-user-gesture-required");
      break;
    case appUserGestureRequired:
      set(L"--autoplay-policy", L"user-gesture-required");
      break;
    case appDefault:
      break;
  }
  if (FastUnload) set(L"--enable-fast-unload");
  if (DisableGPUCache()) set(L"--disable-gpu-shader-disk-cache");
  if (DisableSafeBrowsing) {
    set(L"--disable-client-side-phishing-detection");
    set(L"--safebrowsing-disable-auto-update");
    set(L"--safebrowsing-disable-download-protection");
  }
  // 16. Browser flags.
  const std::pair<bool, const wchar_t*> browserFlags[] = {
      {MuteAudio, L"--mute-audio"},
      {DisableWebSecurity, L"--disable-web-security"},
      {DisablePDFExtension, L"--disable-pdf-extension"},
      {DisableSiteIsolationTrials, L"--disable-site-isolation-trials"},
      {SitePerProcess, L"--site-per-process"},
      {DisableExtensions, L"--disable-extensions"},
      {DisableBackgroundNetworking, L"--disable-background-networking"},
      {MetricsRecordingOnly, L"--metrics-recording-only"},
      {AllowFileAccessFromFiles, L"--allow-file-access-from-files"},
      {AllowRunningInsecureContent, L"--allow-running-insecure-content"},
      {EnablePrintPreview, L"--enable-print-preview"},
      {DisableNewBrowserInfoTimeout, L"--disable-new-browser-info-timeout"},
  };
  for (const auto& [on, name] : browserFlags)
    if (on) set(name);
  // 17.-19.
  if (!DevToolsProtocolLogFile.empty())
    set(L"--devtools-protocol-log-file", DevToolsProtocolLogFile);
  if (PluginPolicy == PLUGIN_POLICY_SWITCH_DETECT) set(L"--plugin-policy", L"detect");
  if (PluginPolicy == PLUGIN_POLICY_SWITCH_BLOCK) set(L"--plugin-policy", L"block");
  if (!DefaultEncoding.empty()) set(L"--default-encoding", DefaultEncoding);
  // 20. JavaScript and page flags.
  const std::pair<bool, const wchar_t*> pageFlags[] = {
      {DisableJavascript, L"--disable-javascript"},
      {DisableJavascriptCloseWindows, L"--disable-javascript-close-windows"},
      {DisableJavascriptAccessClipboard, L"--disable-javascript-access-clipboard"},
      {DisableJavascriptDomPaste, L"--disable-javascript-dom-paste"},
      {AllowUniversalAccessFromFileUrls, L"--allow-universal-access-from-files"},
      {DisableImageLoading, L"--disable-image-loading"},
      {ImageShrinkStandaloneToFit, L"--image-shrink-standalone-to-fit"},
      {DisableTextAreaResize, L"--disable-text-area-resize"},
      {DisableTabToLinks, L"--disable-tab-to-links"},
      {DisablePlugins, L"--disable-plugins"},
      {EnableProfanityFilter, L"--enable-profanity-filter"},
      {DisableSpellChecking, L"--disable-spell-checking"},
  };
  for (const auto& [on, name] : pageFlags)
    if (on) set(name);
  // 21.-23.
  if (!OverrideSpellCheckLang.empty()) set(L"--override-spell-check-lang", OverrideSpellCheckLang);
  const std::pair<const std::wstring*, const wchar_t*> lists[] = {
      {&EnableFeatures, L"--enable-features"},
      {&DisableFeatures, L"--disable-features"},
      {&EnableBlinkFeatures, L"--enable-blink-features"},
      {&DisableBlinkFeatures, L"--disable-blink-features"},
  };
  for (const auto& [value, name] : lists)
    if (!value->empty()) MergeListSwitch(list, name, *value);
  if (!BlinkSettings.empty()) set(L"--blink-settings", BlinkSettings);
  if (!ForceFieldTrials.empty()) set(L"--force-fieldtrials", ForceFieldTrials);
  if (!ForceFieldTrialParams.empty()) set(L"--force-fieldtrial-params", ForceFieldTrialParams);
  // 24. Custom switches, only when both lists line up.
  if (FCustomSwitchNames.size() == FCustomSwitchValues.size()) {
    for (size_t i = 0; i < FCustomSwitchNames.size(); ++i)
      if (!FCustomSwitchNames[i].empty())
        set(FCustomSwitchNames[i].c_str(), FCustomSwitchValues[i]);
  }
}

}  // namespace quirel
