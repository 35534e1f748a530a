// Looking at another process's windows as a user would: find its message boxes, read them,
// press their buttons.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quirel::test {

struct MessageBoxInfo {
  HWND Window = nullptr;
  std::wstring Caption;
  std::wstring Text;
  bool Topmost = false;
  // IDI_ERROR, IDI_WARNING, IDI_INFORMATION, IDI_QUESTION, or null when none matched.
  LPCWSTR Icon = nullptr;
  HWND Owner = nullptr;
};

// Waits up to timeoutMs for a visible dialog (#32770) of process pid; null when none came.
HWND WaitForDialog(DWORD pid, DWORD timeoutMs);
MessageBoxInfo ReadMessageBox(HWND dialog);
// Presses the dialog's button with that id (IDOK by default) as a click would.
bool PressButton(HWND dialog, int id = IDOK);
// Waits up to timeoutMs for the program's visible main window (class "QuirelForm").
HWND WaitForMainWindow(DWORD pid, DWORD timeoutMs = 60000);
// Visible top-level windows of process pid.
std::vector<HWND> VisibleTopLevelWindows(DWORD pid);
// Closes the visible top-level windows of process pid as a user would, pressing Yes or OK on
// the dialogs it shows meanwhile; true once the process (process: its handle) has ended,
// false when it had no window to close or did not end within timeoutMs.
bool EndThroughWindows(DWORD pid, HANDLE process, DWORD timeoutMs);
std::wstring WindowText(HWND window);
// Wine neither tells another process a message box's icon nor its topmost state.
bool RunningUnderWine();
std::wstring ClassName(HWND window);

}  // namespace quirel::test
