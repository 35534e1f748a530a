#include "DelayedCall.h"

#include <stdexcept>

namespace quirel::webcopy::test {
namespace {

constexpr wchar_t kClass[] = L"QuirelTestDelayedCall";
constexpr UINT_PTR kTimer = 1;

}  // namespace

DelayedCall::DelayedCall() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &DelayedCall::WndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClass;
  RegisterClassExW(&wc);  // fails harmlessly when registered before
  window_ = CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
  if (!window_) throw std::runtime_error("cannot create the delayed-call window");
}

DelayedCall::~DelayedCall() { DestroyWindow(window_); }

void DelayedCall::After(DWORD ms, std::function<void()> work) {
  work_ = std::move(work);
  dueAt_ = GetTickCount64() + ms;
  ranAt_ = 0;
  SetTimer(window_, kTimer, ms, nullptr);
}

LRESULT CALLBACK DelayedCall::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  } else if (message == WM_TIMER && wParam == kTimer) {
    auto* self = reinterpret_cast<DelayedCall*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    KillTimer(window, kTimer);
    if (self && self->work_) {
      self->ranAt_ = GetTickCount64();
      std::function<void()> work = std::move(self->work_);
      self->work_ = nullptr;
      work();
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace quirel::webcopy::test
