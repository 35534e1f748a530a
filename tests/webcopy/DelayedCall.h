// Work run later by a window-message handler of this thread, as a close request or a user's
// click reaches the program while a transfer holds the thread in its message pump.
#pragma once

#include <windows.h>

#include <functional>

namespace quirel::webcopy::test {

class DelayedCall {
 public:
  DelayedCall();
  ~DelayedCall();
  DelayedCall(const DelayedCall&) = delete;
  DelayedCall& operator=(const DelayedCall&) = delete;

  // Runs `work` once, `ms` from now, from the WM_TIMER handler of a window of this thread;
  // replaces what was scheduled before.
  void After(DWORD ms, std::function<void()> work);
  // The tick count at which the work was due: a thread that does not let its messages run
  // runs it later.
  ULONGLONG DueAt() const { return dueAt_; }
  // The tick count at which the work ran, 0 while it has not.
  ULONGLONG RanAt() const { return ranAt_; }

 private:
  static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  std::function<void()> work_;
  ULONGLONG dueAt_ = 0;
  ULONGLONG ranAt_ = 0;
};

}  // namespace quirel::webcopy::test
