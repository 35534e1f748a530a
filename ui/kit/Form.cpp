#include "ui/kit/Form.h"

#include "ui/kit/Application.h"

#include "common/Errors.h"

namespace quirel::kit {
namespace {

constexpr wchar_t kFormClass[] = L"QuirelForm";

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

void RegisterFormClass(WNDPROC proc) {
  static const bool registered = [proc] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.hIcon = LoadIconW(Instance(), L"MAINICON");
    wc.lpszClassName = kFormClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

}  // namespace

TForm::TForm(std::wstring caption) : caption_(std::move(caption)) {}

TForm::~TForm() {
  if (handle_) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

HWND TForm::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

HWND TForm::OwnerWindow() const {
  if (!Application) return nullptr;
  if (Application->MainFormOnTaskBar) {
    TForm* main = Application->MainForm();
    return main == this || !main ? nullptr : main->handle_;
  }
  return Application->Handle();
}

void TForm::CreateHandle() {
  RegisterFormClass(&TForm::StaticWndProc);
  HWND hwnd = CreateWindowExW(ExStyle(), kFormClass, caption_.c_str(), Style(), CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, OwnerWindow(), nullptr,
                              Instance(), this);
  if (!hwnd) RaiseLastOSError();
}

void TForm::SetCaption(std::wstring caption) {
  caption_ = std::move(caption);
  if (handle_) SetWindowTextW(handle_, caption_.c_str());
}

void TForm::Show(int showCommand) {
  ShowWindow(Handle(), showCommand);
  if (showCommand != SW_SHOWMINNOACTIVE && showCommand != SW_HIDE) UpdateWindow(handle_);
}

void TForm::Hide() {
  if (handle_) ShowWindow(handle_, SW_HIDE);
}

bool TForm::Visible() const { return handle_ && IsWindowVisible(handle_); }

void TForm::Close() {
  if (handle_) HandleClose();
}

void TForm::HandleClose() {
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (action == TCloseAction::caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == TCloseAction::caHide) {
    Hide();
  } else if (action == TCloseAction::caMinimize) {
    ShowWindow(handle_, SW_MINIMIZE);
  } else if (Application) {
    Application->Release(this);
  }
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      HandleClose();
      return 0;
    case WM_NCDESTROY:
      handle_ = nullptr;
      break;
  }
  return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TForm::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->handle_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcW(hwnd, message, wParam, lParam);
  // An exception must not unwind through the system's window code.
  try {
    return form->WndProc(message, wParam, lParam);
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
    return 0;
  }
}

}  // namespace quirel::kit
