// Verification of the engine's files and loading of libcef.dll, with the start-up error
// messages they produce.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <type_traits>

#include "common/Errors.h"
#include "engine/CefApplicationCore.h"
#include "engine/EngineFiles.h"
#include "engine/capi/CefEntryPoints.h"

namespace quirel {

namespace {

constexpr wchar_t kLineBreak[] = L"\r\n";
constexpr wchar_t kTwoLineBreaks[] = L"\r\n\r\n";
constexpr uint16_t kMachineX86 = 0x014C;
constexpr uint16_t kMachineX64 = 0x8664;

// Makes the executable's folder current for as long as it lives, when asked to.
class ExecutableFolderAsCurrent {
 public:
  explicit ExecutableFolderAsCurrent(bool active) {
    if (!active) return;
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return;
    std::wstring saved(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, saved.data());
    if (length == 0 || length >= size) return;
    saved.resize(length);
    // Without a way back the current directory is left alone.
    if (SetCurrentDirectoryW(ExecutableFolder().c_str())) saved_ = std::move(saved);
  }
  ~ExecutableFolderAsCurrent() {
    if (!saved_.empty()) SetCurrentDirectoryW(saved_.c_str());
  }
  ExecutableFolderAsCurrent(const ExecutableFolderAsCurrent&) = delete;
  ExecutableFolderAsCurrent& operator=(const ExecutableFolderAsCurrent&) = delete;

 private:
  std::wstring saved_;
};

struct ModuleFreer {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

// All groups or nothing: a half-resolved table never reaches g_cef.
bool ResolveEntryPoints(HMODULE module, TCefEntryPoints& table) {
  for (int group = 1; group <= kCefEntryPointGroupCount; ++group) {
    bool groupFound = true;
    for (const TCefEntryPointInfo& entry : CefEntryPointGroup(group)) {
      const FARPROC proc = GetProcAddress(module, entry.name);
      entry.store(table, proc);
      if (!proc) groupFound = false;
    }
    if (!groupFound) return false;
  }
  return true;
}

}  // namespace

std::wstring MissingFilesMessage(const std::wstring& missing) {
  std::wstring message = L"CEF binaries missing !";
  const std::wstring files = Trim(missing);
  if (!files.empty())
    message += kTwoLineBreaks + std::wstring(L"The missing files are :") + kLineBreak + files;
  return message;
}

std::wstring UnsupportedVersionMessage(const std::wstring& expected,
                                       const std::optional<TFileVersionInfo>& found) {
  std::wstring message =
      std::wstring(L"Unsupported CEF version !") + kTwoLineBreaks + kSupportedBinariesNote;
  if (found)
    message += kTwoLineBreaks + std::wstring(L"Expected libcef.dll version : ") + expected +
               kLineBreak + L"Found libcef.dll version : " + VersionToString(*found);
  return message;
}

std::optional<std::wstring> MachineTypeMessage(uint16_t machine, uint16_t ownMachine) {
  if (machine == ownMachine) return std::nullopt;
  if (machine == kMachineX64 && ownMachine == kMachineX86)
    return std::wstring(L"Wrong CEF binaries !") + kTwoLineBreaks +
           L"Use the 64 bit CEF binaries with 64 bits applications only.";
  if (machine == kMachineX86 && ownMachine == kMachineX64)
    return std::wstring(L"Wrong CEF binaries !") + kTwoLineBreaks +
           L"Use the 32 bit CEF binaries with 32 bits applications only.";
  return std::wstring(L"Unknown CEF binaries !") + kTwoLineBreaks + kSupportedBinariesNote;
}

std::wstring LoadErrorMessage(uint32_t errorCode, const std::wstring& systemText) {
  wchar_t code[9];
  std::swprintf(code, std::size(code), L"%08X", static_cast<unsigned>(errorCode));
  std::wstring text = systemText;
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  return std::wstring(L"Error loading libcef.dll") + kTwoLineBreaks + L"Error code : 0x" + code +
         kLineBreak + text;
}

bool TCefApplicationCore::VerifyEngineFiles() {
  if (!CheckCEFFiles || FProcessType != ptBrowser) return true;
  const ExecutableFolderAsCurrent currentDir(SetCurrentDir);

  // Every check runs, so that one message lists all that is missing.
  bool filesFound = CefGuarded(
      false, [&] { return CheckSubprocessPath(FBrowserSubprocessPath, FMissingLibFiles); });
  filesFound &= CefGuarded(false, [&] { return CheckDLLs(FFrameworkDirPath, FMissingLibFiles); });
  filesFound &= CefGuarded(false, [&] {
    return CheckResources(FResourcesDirPath, FMissingLibFiles, CheckDevToolsResources,
                          !DisableExtensions);
  });
  filesFound &= CefGuarded(
      false, [&] { return CheckLocales(FLocalesDirPath, FMissingLibFiles, LocalesRequired); });
  if (!filesFound) {
    FStatus = asErrorMissingFiles;
    ReportStartupError(MissingFilesMessage(FMissingLibFiles));
    return false;
  }

  const std::wstring libCef = LibCefPath();
  const TFileVersionInfo& expected = kExpectedLibCefVersion;
  if (!CefGuarded(false, [&] {
        return MatchesLibraryVersion(libCef, expected.MajorVer, expected.MinorVer, expected.Release,
                                     expected.Build);
      })) {
    FStatus = asErrorDLLVersion;
    TFileVersionInfo found;
    const bool readable = CefGuarded(false, [&] { return GetDLLVersion(libCef, found); });
    ReportStartupError(
        UnsupportedVersionMessage(LibCefVersion(), readable ? std::optional(found) : std::nullopt));
    return false;
  }

  uint16_t machine = 0;
  // A header that cannot be read is left for the loader to judge.
  if (!CefGuarded(false, [&] { return GetDLLHeaderMachine(libCef, machine); })) return true;
  if (const std::optional<std::wstring> error = MachineTypeMessage(machine, kOwnMachine)) {
    FStatus = asErrorDLLVersion;
    ReportStartupError(*error);
    return false;
  }
  return true;
}

bool TCefApplicationCore::LoadEngineLibrary() {
  if (FStatus != asLoading || FLibLoaded || FLibHandle) {
    FStatus = asErrorLoadingLibrary;
    ReportStartupError(L"GlobalCEFApp can only be initialized once per process.");
    return false;
  }
  const ExecutableFolderAsCurrent currentDir(SetCurrentDir);

  UniqueModule module(LoadLibraryExW(LibCefPath().c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!module) {
    const DWORD code = GetLastError();
    FStatus = asErrorLoadingLibrary;
    ReportStartupError(LoadErrorMessage(code, SysErrorMessage(code)));
    return false;
  }

  TCefEntryPoints table;
  if (!ResolveEntryPoints(module.get(), table)) {
    // Nothing has been called in it yet, so the library can go again.
    FStatus = asErrorDLLVersion;
    module.reset();
    ReportStartupError(std::wstring(L"Unsupported CEF version !") + kTwoLineBreaks +
                       kSupportedBinariesNote);
    return false;
  }

  g_cef = table;
  FLibHandle = module.release();
  FStatus = asLoaded;
  FLibLoaded = true;
  if (EnableHighDPISupport) g_cef.cef_enable_highdpi_support();
  return true;
}

}  // namespace quirel
