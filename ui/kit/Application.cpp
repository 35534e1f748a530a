#include "ui/kit/Application.h"

#include <objbase.h>

#include <algorithm>

#include "common/Errors.h"
#include "common/FormatSettings.h"
#include "ui/kit/Synchronize.h"

namespace quirel::kit {

TApplication* Application = nullptr;

namespace {

std::unique_ptr<TApplication>& Instance() {
  static std::unique_ptr<TApplication> instance;
  return instance;
}

constexpr wchar_t kAppWindowClass[] = L"QuirelApplication";
// Posted to the hidden window: free the form in lParam (see Release).
constexpr UINT kReleaseForm = WM_APP + 0x100;

}  // namespace

void CreateApplication() {
  if (!Instance()) Instance() = std::make_unique<TApplication>();
}

void DestroyApplication() { Instance().reset(); }

TApplication::TApplication() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &TApplication::WndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = LoadIconW(wc.hInstance, L"MAINICON");
  wc.lpszClassName = kAppWindowClass;
  RegisterClassExW(&wc);
  // A zero-sized, never shown top-level window: owner of application-wide dialogs.
  handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, kAppWindowClass, L"Quirel",
                            WS_POPUP | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                            nullptr, nullptr, wc.hInstance, nullptr);
  if (!handle_) RaiseLastOSError();
  SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetSynchronizeWindow(handle_);
  initProcs_.push_back([this] { InitializeCom(); });
  if (!Application) Application = this;
}

TApplication::~TApplication() {
  DestroyForms();
  DestroyHandle();
  if (comInitialized_) CoUninitialize();
  if (Application == this) Application = nullptr;
}

void TApplication::DestroyHandle() {
  if (handle_) {
    SetSynchronizeWindow(nullptr);
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
    handle_ = nullptr;
  }
}

void TApplication::Initialize() {
  for (const auto& proc : initProcs_) proc();
}

void TApplication::InitializeCom() {
  const HRESULT hr = ComInitFlags ? CoInitializeEx(nullptr, *ComInitFlags) : CoInitialize(nullptr);
  // S_FALSE (already initialised on this thread) needs its CoUninitialize as well.
  comInitialized_ = SUCCEEDED(hr);
}

void TApplication::AdoptForm(std::unique_ptr<TForm> form) {
  if (!mainForm_) mainForm_ = form.get();
  forms_.push_back(std::move(form));
}

TForm* TApplication::ActiveForm() const {
  HWND active = GetActiveWindow();
  for (const auto& form : forms_)
    if (form->HandleAllocated() && form->Handle() == active) return form.get();
  return nullptr;
}

int TApplication::StartupShowCommand() {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  GetStartupInfoW(&si);
  return (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : SW_SHOWNORMAL;
}

void TApplication::Run() {
  if (ShowMainForm && mainForm_) {
    switch (StartupShowCommand()) {
      case SW_SHOWMAXIMIZED:
        mainForm_->Show(SW_SHOWMAXIMIZED);
        break;
      case SW_SHOWMINNOACTIVE:
        mainForm_->Show(SW_SHOWMINNOACTIVE);
        break;
      default:
        mainForm_->Show(SW_SHOWNORMAL);
        break;
    }
  }
  MSG msg;
  while (!terminated_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      terminated_ = true;
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool TApplication::QueryTerminate() {
  if (terminateAgreed_) return true;
  for (const auto& query : terminateQueries_)
    if (!query()) return false;
  terminateAgreed_ = true;
  return true;
}

bool TApplication::Terminate() {
  if (terminated_) return true;
  if (!QueryTerminate()) {
    if (mainForm_ && !mainForm_->Visible()) mainForm_->Show(SW_SHOW);
    return false;
  }
  PostQuitMessage(0);
  return true;
}

void TApplication::Release(TForm* form) {
  PostMessageW(handle_, kReleaseForm, 0, reinterpret_cast<LPARAM>(form));
}

void TApplication::FreeForm(TForm* form) {
  auto it = std::find_if(forms_.begin(), forms_.end(),
                         [form](const std::unique_ptr<TForm>& f) { return f.get() == form; });
  if (it == forms_.end()) return;
  if (mainForm_ == form) mainForm_ = nullptr;
  // Detach first, so that the form's destructor sees a consistent list.
  std::unique_ptr<TForm> doomed = std::move(*it);
  forms_.erase(it);
}

void TApplication::DestroyForms() {
  while (!forms_.empty()) {
    std::unique_ptr<TForm> form = std::move(forms_.back());
    forms_.pop_back();
    if (mainForm_ == form.get()) mainForm_ = nullptr;
  }
}

void TApplication::HandleException(const std::exception& e) {
  const std::wstring text = ExceptionMessage(e);
  MessageBoxW(handle_, text.c_str(), L"Quirel", MB_OK | MB_ICONERROR);
}

LRESULT CALLBACK TApplication::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* app = reinterpret_cast<TApplication*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (app && message == kReleaseForm) {
    app->FreeForm(reinterpret_cast<TForm*>(lParam));
    return 0;
  }
  if (message == kSynchronizeMessage) {
    CheckSynchronize();
    return 0;
  }
  // From a change of the regional settings on (or a new taskbar, after which the shell may
  // have changed them too), the process formats as the user's settings say.
  static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  const bool regionalSettings =
      message == WM_SETTINGCHANGE && lParam &&
      CompareStringOrdinal(reinterpret_cast<const wchar_t*>(lParam), -1, L"intl", -1, TRUE) ==
          CSTR_EQUAL;
  if (regionalSettings || (taskbarCreated && message == taskbarCreated))
    FormatSettings() = UserLocaleFormatSettings();
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace quirel::kit
