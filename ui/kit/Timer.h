// A main-thread timer: OnTimer every Interval milliseconds while Enabled, from the message
// loop. Each timer has a hidden message-only window of its own, gone with the timer.
#pragma once

#include <windows.h>

#include <functional>

namespace quirel::kit {

class TTimer {
 public:
  TTimer();
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  UINT Interval() const { return interval_; }
  void SetInterval(UINT milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  std::function<void()> OnTimer;

 private:
  static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Update();

  HWND window_ = nullptr;
  UINT interval_ = 1000;
  bool enabled_ = false;
};

}  // namespace quirel::kit
