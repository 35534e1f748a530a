// Hands work from a worker thread to the main thread and waits for it, the way a worker's end
// handler or a result has to reach the windows. The application window runs the queue.
#pragma once

#include <windows.h>

#include <functional>

namespace quirel::kit {

// Runs `work` on the main thread while the caller waits. Returns false, without running it,
// when no window serves the queue or that window goes away before it ran. An exception thrown
// by `work` is thrown again in the caller.
bool Synchronize(const std::function<void()>& work);

// The window that runs the queue when it receives kSynchronizeMessage; 0 cancels every
// request still waiting and refuses later ones until a window is set again.
void SetSynchronizeWindow(HWND window);

// Main thread: runs the queued requests, oldest first.
void CheckSynchronize();

// Posted to the synchronize window whenever a request is queued.
constexpr UINT kSynchronizeMessage = WM_APP + 0x101;

}  // namespace quirel::kit
