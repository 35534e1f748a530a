// Running a window test's own thread's messages, as its message loop would.
#pragma once

#include <windows.h>

#include <functional>

namespace quirel::test {

// Dispatches this thread's messages for `milliseconds`; true when the message loop was asked
// to end (WM_QUIT came) meanwhile.
bool Pump(DWORD milliseconds = 50);
// Pumps until `done` holds; false when it did not within timeoutMs.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 60000);

}  // namespace quirel::test
