// Lets the calling thread's messages run while a long task holds it.
#pragma once

#include <windows.h>

#include <optional>

namespace quirel::webcopy {

// A quit request taken out of the queue while a task pumped it. It is posted again when the
// task is over, for the message loop that owns the thread: posted at once, it would wake
// every later wait of the task straight away.
class TKeptQuit {
 public:
  TKeptQuit() = default;
  ~TKeptQuit();
  TKeptQuit(const TKeptQuit&) = delete;
  TKeptQuit& operator=(const TKeptQuit&) = delete;
  void Keep(int exitCode) { exitCode_ = exitCode; }

 private:
  std::optional<int> exitCode_;
};

// Dispatches every message waiting in the queue and returns.
void ProcessMessages(TKeptQuit& quit);

// Sleeps until `signal` (when not null) is set, a message arrives or `timeoutMs` has passed,
// then dispatches what is waiting.
void WaitForSignalOrMessage(HANDLE signal, DWORD timeoutMs, TKeptQuit& quit);

}  // namespace quirel::webcopy
