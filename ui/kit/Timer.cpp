#include "ui/kit/Timer.h"

#include "common/Errors.h"
#include "ui/kit/Application.h"

namespace quirel::kit {
namespace {

constexpr wchar_t kTimerClass[] = L"QuirelTimer";
constexpr UINT_PTR kTimerId = 1;

}  // namespace

TTimer::TTimer() {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TTimer::WndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kTimerClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
  window_ = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (!window_) RaiseLastOSError();
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TTimer::~TTimer() {
  KillTimer(window_, kTimerId);
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

void TTimer::SetInterval(UINT milliseconds) {
  interval_ = milliseconds;
  Update();
}

void TTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Update();
}

void TTimer::Update() {
  KillTimer(window_, kTimerId);
  if (enabled_ && interval_ > 0) {
    if (!SetTimer(window_, kTimerId, interval_, nullptr)) RaiseLastOSError();
  }
}

LRESULT CALLBACK TTimer::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (timer && timer->enabled_ && timer->OnTimer) {
      try {
        timer->OnTimer();
      } catch (const std::exception& e) {
        if (Application) Application->HandleException(e);
      }
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace quirel::kit
