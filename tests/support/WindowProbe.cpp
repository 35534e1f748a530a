#include "WindowProbe.h"

namespace quirel::test {

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = {};
  // WM_GETTEXT works across processes; GetWindowText does not for other processes' controls.
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, nullptr);
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::vector<HWND> VisibleTopLevelWindows(DWORD pid) {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{pid, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->pid && IsWindowVisible(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForDialog(DWORD pid, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  do {
    for (HWND window : VisibleTopLevelWindows(pid))
      if (ClassName(window) == L"#32770") return window;
    Sleep(50);
  } while (GetTickCount64() < end);
  return nullptr;
}

MessageBoxInfo ReadMessageBox(HWND dialog) {
  MessageBoxInfo info;
  info.Window = dialog;
  info.Caption = WindowText(dialog);
  info.Text = WindowText(GetDlgItem(dialog, 0xFFFF));
  info.Topmost = (GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  info.Owner = GetWindow(dialog, GW_OWNER);
  // The icon control is 20 on Windows and 1088 under Wine.
  for (int id : {20, 1088}) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) continue;
    const HICON shown = reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
    for (LPCWSTR icon : {IDI_ERROR, IDI_WARNING, IDI_INFORMATION, IDI_QUESTION})
      if (shown && shown == LoadIconW(nullptr, icon)) info.Icon = icon;
  }
  return info;
}

bool PressButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (!button) return false;
  PostMessageW(button, BM_CLICK, 0, 0);
  return true;
}

}  // namespace quirel::test
