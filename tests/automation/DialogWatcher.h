// Answers the next message box of this very process from another thread, as a user would,
// while the test's own thread is blocked showing it.
#pragma once

#include <windows.h>

#include <thread>

#include "WindowProbe.h"

namespace quirel::test {

// The button drawn as the default (BS_DEFPUSHBUTTON), which Enter presses; 0 when none.
inline int DefaultButton(HWND dialog) {
  for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
    HWND button = GetDlgItem(dialog, id);
    if (button && (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return id;
  }
  return 0;
}

class DialogWatcher {
 public:
  // Presses `button` on the first dialog that shows within timeoutMs.
  explicit DialogWatcher(int button, DWORD timeoutMs = 30000)
      : FThread([this, button, timeoutMs] {
          HWND dialog = WaitForDialog(GetCurrentProcessId(), timeoutMs);
          if (!dialog) return;
          FInfo = ReadMessageBox(dialog);
          FDefaultButton = test::DefaultButton(dialog);
          FSeen = true;
          PressButton(dialog, button);
        }) {}
  ~DialogWatcher() { Join(); }
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  // Waits for the watcher; then Seen/Info/DefaultButton tell what it found.
  void Join() {
    if (FThread.joinable()) FThread.join();
  }
  bool Seen() const { return FSeen; }
  const MessageBoxInfo& Info() const { return FInfo; }
  int DefaultButtonId() const { return FDefaultButton; }

 private:
  MessageBoxInfo FInfo;
  int FDefaultButton = 0;
  bool FSeen = false;
  std::thread FThread;
};

}  // namespace quirel::test
