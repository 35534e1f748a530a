// What a thread is to the engine, as the trace names it: "main" (the thread
// that loaded the library and calls cef_initialize / cef_execute_process),
// "ui" (the engine's UI thread), "renderer" (a renderer's main thread) or
// "other".
#pragma once

#include <windows.h>

namespace quirel::standin {

enum class ThreadRole { kMain, kUi, kRenderer, kOther };

// The main thread until told otherwise is the one that loaded the library.
void SetMainThread(DWORD thread_id);
DWORD MainThread();

// Overrides the role of the calling thread.
void SetCurrentThreadRole(ThreadRole role);
ThreadRole CurrentThreadRole();

const char* ThreadRoleName(ThreadRole role);

}  // namespace quirel::standin
