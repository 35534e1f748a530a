#include "DialogDriver.h"

#include "WindowProbe.h"

namespace quirel::test {
namespace {

struct ChildSearch {
  std::wstring className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  if (search->className.empty() || ClassName(child) == search->className)
    search->found.push_back(child);
  return TRUE;
}

}  // namespace

HWND FindOwnWindow(const std::wstring& title) {
  for (HWND window : VisibleTopLevelWindows(GetCurrentProcessId()))
    if (WindowText(window) == title) return window;
  return nullptr;
}

HWND WaitForOwnWindow(const std::wstring& title, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (HWND window = FindOwnWindow(title)) return window;
    if (GetTickCount64() > end) return nullptr;
    Sleep(50);
  }
}

std::vector<HWND> ChildrenOfClass(HWND window, const std::wstring& className) {
  ChildSearch search{className, {}};
  EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindButton(HWND window, const std::wstring& text) {
  for (HWND button : ChildrenOfClass(window, L"Button"))
    if (WindowText(button).starts_with(text)) return button;
  return nullptr;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

void PressKey(HWND window, WORD key) {
  HWND target = FocusOf(window);
  if (!target) target = window;
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(target, WM_KEYDOWN, key, scan | 1);
  PostMessageW(target, WM_KEYUP, key, scan | 1 | (3u << 30));
}

WindowDriver::WindowDriver(std::wstring title, std::function<void(HWND)> steps)
    : thread_([this, title = std::move(title), steps = std::move(steps)] {
        HWND window = WaitForOwnWindow(title, 60000);
        if (!window) return;
        seen_ = true;
        steps(window);
      }) {}

WindowDriver::~WindowDriver() { Join(); }

void WindowDriver::Join() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace quirel::test
