#include "engine/CefApplication.h"

#include <ole2.h>

#include "ui/kit/Application.h"

namespace quirel {

TCefApplication* EngineApp = nullptr;

namespace {

// RtlGetVersion tells the truth about the Windows version, unlike GetVersionEx.
bool GetWindowsMajorMinorVersion(DWORD& major, DWORD& minor) {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  auto rtlGetVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void (*)()>(
                                   GetProcAddress(ntdll, "RtlGetVersion")))
                             : nullptr;
  if (!rtlGetVersion) return false;
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (rtlGetVersion(&info) != 0) return false;
  major = info.dwMajorVersion;
  minor = info.dwMinorVersion;
  return true;
}

// GetDpiForWindow exists from Windows 10 1607 on.
UINT GetDPIForHandle(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  HMODULE user32 = GetModuleHandleW(L"User32.dll");
  auto getDpiForWindow = user32 ? reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void (*)()>(
                                      GetProcAddress(user32, "GetDpiForWindow")))
                                : nullptr;
  return getDpiForWindow && window ? getDpiForWindow(window) : 0;
}

}  // namespace

TCefApplication::TCefApplication() {
  SetDeviceScaleFactor(TCefApplication::UpdateDeviceScaleFactor());
  if (!EngineApp) EngineApp = this;
}

TCefApplication::~TCefApplication() {
  if (EngineApp == this) EngineApp = nullptr;
}

float TCefApplication::UpdateDeviceScaleFactor() {
  DWORD major = 0, minor = 0;
  if (GetWindowsMajorMinorVersion(major, minor) && major >= 10) {
    HWND window = nullptr;
    if (kit::Application) {
      if (kit::TForm* active = kit::Application->ActiveForm(); active && active->HandleAllocated())
        window = active->Handle();
      else if (kit::TForm* main = kit::Application->MainForm(); main && main->HandleAllocated())
        window = main->Handle();
      else
        window = kit::Application->Handle();
    }
    if (const UINT dpi = GetDPIForHandle(window)) return static_cast<float>(dpi) / 96.0f;
  }
  return TCefApplicationCore::UpdateDeviceScaleFactor();
}

void TCefApplication::PrepareSubProcess() {
  if (!kit::Application) return;
  if (DestroyApplicationObject) {
    kit::DestroyApplication();
    return;
  }
  if (DestroyAppWindows) {
    kit::Application->DestroyHandle();
    OleUninitialize();
  }
}

void FreeEngineApp(std::unique_ptr<TCefApplication>& app) {
  if (EngineApp == app.get()) EngineApp = nullptr;
  app.reset();
}

}  // namespace quirel
