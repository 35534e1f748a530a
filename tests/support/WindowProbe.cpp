#include "WindowProbe.h"

namespace quirel::test {

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = {};
  // WM_GETTEXT works across processes; GetWindowText does not for other processes' controls.
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, nullptr);
  return text;
}

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

namespace {

struct VisibleWindowSearch {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<VisibleWindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->pid && IsWindowVisible(window)) search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> VisibleTopLevelWindows(DWORD pid) {
  VisibleWindowSearch search{pid, {}};
  EnumWindows(&CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool EndThroughWindows(DWORD pid, HANDLE process, DWORD timeoutMs) {
  const std::vector<HWND> windows = VisibleTopLevelWindows(pid);
  if (windows.empty()) return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  for (HWND window : windows) PostMessageW(window, WM_CLOSE, 0, 0);
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (WaitForSingleObject(process, 100) == WAIT_TIMEOUT) {
    if (GetTickCount64() > end) return false;
    if (HWND box = WaitForDialog(pid, 0)) {
      if (!PressButton(box, IDYES)) PressButton(box, IDOK);
      Sleep(200);
    }
  }
  return true;
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

namespace {

constexpr int kIconSize = 32;

std::vector<BYTE> Pixels(HDC source, COLORREF background, HICON icon) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = kIconSize;
  bi.bmiHeader.biHeight = kIconSize;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  if (source) {
    BitBlt(memory, 0, 0, kIconSize, kIconSize, source, 0, 0, SRCCOPY);
  } else {
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, kIconSize, kIconSize};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
  }
  GdiFlush();
  std::vector<BYTE> pixels(static_cast<BYTE*>(bits),
                           static_cast<BYTE*>(bits) + kIconSize * kIconSize * 4);
  for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 0;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

std::vector<BYTE> ControlPixels(HWND control) {
  HDC dc = GetDC(control);
  if (!dc) return {};
  std::vector<BYTE> pixels = Pixels(dc, 0, nullptr);
  ReleaseDC(control, dc);
  return pixels;
}

// The icon as the control would draw it over its own background colour.
std::vector<BYTE> DrawnIconPixels(HICON icon, HWND control) {
  HDC dc = GetDC(control);
  const COLORREF background = dc ? GetPixel(dc, 0, 0) : GetSysColor(COLOR_3DFACE);
  if (dc) ReleaseDC(control, dc);
  return Pixels(nullptr, background, icon);
}

}  // namespace

HWND WaitForMainWindow(DWORD pid, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  do {
    for (HWND window : VisibleTopLevelWindows(pid))
      if (ClassName(window) == L"QuirelForm") return window;
    Sleep(50);
  } while (GetTickCount64() < end);
  return nullptr;
}

MessageBoxInfo ReadMessageBox(HWND dialog) {
  MessageBoxInfo info;
  // Let the box finish painting before it is read off the screen.
  Sleep(300);
  info.Window = dialog;
  info.Caption = WindowText(dialog);
  info.Text = WindowText(GetDlgItem(dialog, 0xFFFF));
  info.Topmost = (GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  info.Owner = GetWindow(dialog, GW_OWNER);
  // The icon control is 20 on Windows and 1088 under Wine.
  for (int id : {20, 1088}) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) continue;
    // Icon handles differ between processes: compare what the control shows on screen.
    const std::vector<BYTE> shown = ControlPixels(control);
    for (LPCWSTR icon : {IDI_ERROR, IDI_WARNING, IDI_INFORMATION, IDI_QUESTION})
      if (!shown.empty() && shown == DrawnIconPixels(LoadIconW(nullptr, icon), control))
        info.Icon = icon;
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
