// Drives a dialog of this very process from another thread, as a user would, while the test's
// own thread is inside the dialog's modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace quirel::test {

// The visible top-level window of this process with that title; null when none.
HWND FindOwnWindow(const std::wstring& title);
// Waits up to timeoutMs for it.
HWND WaitForOwnWindow(const std::wstring& title, DWORD timeoutMs);
// Child windows of `window` (all depths) whose class is `className`.
std::vector<HWND> ChildrenOfClass(HWND window, const std::wstring& className);
// The child button whose text begins with `text`; null when none.
HWND FindButton(HWND window, const std::wstring& text);
// The window that has the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window);
// A key press delivered where the keyboard would deliver it: to the focused control.
void PressKey(HWND window, WORD key);

// Runs `steps` on a thread of its own once the window titled `title` shows (within 60 s: the
// first dialog of a fresh Wine prefix is slow); Seen tells whether it showed.
class WindowDriver {
 public:
  WindowDriver(std::wstring title, std::function<void(HWND)> steps);
  ~WindowDriver();
  WindowDriver(const WindowDriver&) = delete;
  WindowDriver& operator=(const WindowDriver&) = delete;
  void Join();
  bool Seen() const { return seen_; }

 private:
  bool seen_ = false;
  std::thread thread_;
};

}  // namespace quirel::test
