#include "update/webcopy/MessagePump.h"

namespace quirel::webcopy {

TKeptQuit::~TKeptQuit() {
  if (exitCode_) PostQuitMessage(*exitCode_);
}

void ProcessMessages(TKeptQuit& quit) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quit.Keep(static_cast<int>(msg.wParam));
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void WaitForSignalOrMessage(HANDLE signal, DWORD timeoutMs, TKeptQuit& quit) {
  // Input already in the queue ends the wait too, not only input that came after the last look.
  MsgWaitForMultipleObjectsEx(signal ? 1 : 0, signal ? &signal : nullptr, timeoutMs, QS_ALLINPUT,
                              MWMO_INPUTAVAILABLE);
  ProcessMessages(quit);
}

}  // namespace quirel::webcopy
