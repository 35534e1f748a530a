#include "ProgramDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "WindowProbe.h"

namespace quirel::test {
namespace {

constexpr wchar_t kBrowserClass[] = L"QuirelStandinBrowser";

BOOL CALLBACK CollectBrowser(HWND window, LPARAM found) {
  if (ClassName(window) == kBrowserClass) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

}  // namespace

std::wstring BinFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring file(path);
  return file.substr(0, file.find_last_of(L'\\') + 1);
}

std::wstring Wide(const std::string& utf8) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                       nullptr, 0);
  std::wstring out(size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
  return out;
}

std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

QuirelRun::QuirelRun(std::vector<std::wstring> extraEnv) {
  extraEnv.push_back(L"QUIREL_STANDIN_TRACE=" + dir_.path() + L"trace.jsonl");
  const std::wstring bin = BinFolder();
  process_.emplace(bin + L"Quirel.exe", std::vector<std::wstring>{}, extraEnv, bin);
}

HWND QuirelRun::MainWindow() {
  if (!main_) main_ = WaitForMainWindow(Pid());
  return main_;
}

std::vector<Json> QuirelRun::Trace() const {
  const std::string text = ReadBytes(dir_.path() + L"trace.jsonl");
  std::vector<Json> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    if (end == std::string::npos) break;  // a line still being written
    if (std::optional<Json> line = standin_test::ParseJson(text.substr(start, end - start)))
      if ((*line)["pid"].Int() == static_cast<long long>(Pid())) lines.push_back(std::move(*line));
    start = end + 1;
  }
  return lines;
}

bool QuirelRun::WaitForTrace(const std::function<bool(const std::vector<Json>&)>& done,
                             DWORD timeoutMs) const {
  return WaitUntil([&] { return done(Trace()); }, timeoutMs);
}

long long QuirelRun::WaitForLoad(const std::string& urlSuffix, DWORD timeoutMs) const {
  long long browser = 0;
  // A page is on view once the engine has laid it out in its browser's window.
  WaitForTrace(
      [&](const std::vector<Json>& trace) {
        for (const Json& line : trace) {
          if (line["name"].string != "browser.layout") continue;
          const std::string& url = line["args"]["url"].string;
          if (url.size() >= urlSuffix.size() &&
              url.compare(url.size() - urlSuffix.size(), urlSuffix.size(), urlSuffix) == 0) {
            browser = line["args"]["browser"].Int();
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return browser;
}

std::optional<DrawnLink> QuirelRun::WaitForLink(const std::string& text, long long browser,
                                                DWORD timeoutMs) const {
  std::optional<DrawnLink> found;
  WaitForTrace(
      [&](const std::vector<Json>& trace) {
        for (auto line = trace.rbegin(); line != trace.rend(); ++line) {
          if ((*line)["name"].string != "browser.layout") continue;
          const Json& args = (*line)["args"];
          if (browser && args["browser"].Int() != browser) continue;
          for (const Json& link : args["links"].array) {
            if (link["text"].string.find(text) == std::string::npos) continue;
            DrawnLink drawn;
            drawn.Window = reinterpret_cast<HWND>(static_cast<intptr_t>(args["window"].Int()));
            drawn.Box = {static_cast<LONG>(link["left"].Int()), static_cast<LONG>(link["top"].Int()),
                         static_cast<LONG>(link["right"].Int()),
                         static_cast<LONG>(link["bottom"].Int())};
            found = drawn;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

std::vector<Json> Lines(const std::vector<Json>& trace, const std::string& name) {
  std::vector<Json> out;
  for (const Json& line : trace)
    if (line["name"].string == name) out.push_back(line);
  return out;
}

int IndexWhere(const std::vector<Json>& trace, const std::function<bool(const Json&)>& test,
               int from) {
  for (int i = std::max(from, 0); i < static_cast<int>(trace.size()); ++i)
    if (test(trace[i])) return i;
  return -1;
}

void Click(HWND window, POINT client, WPARAM keys, Button button) {
  const LPARAM at = MAKELPARAM(client.x, client.y);
  UINT down = WM_LBUTTONDOWN, up = WM_LBUTTONUP;
  WPARAM held = MK_LBUTTON;
  if (button == Button::Right) down = WM_RBUTTONDOWN, up = WM_RBUTTONUP, held = MK_RBUTTON;
  if (button == Button::Middle) down = WM_MBUTTONDOWN, up = WM_MBUTTONUP, held = MK_MBUTTON;
  PostMessageW(window, WM_MOUSEMOVE, keys, at);
  PostMessageW(window, down, keys | held, at);
  PostMessageW(window, up, keys, at);
}

HWND VisibleWindowAt(HWND window, POINT client) {
  for (;;) {
    HWND child = ChildWindowFromPointEx(window, client,
                                        CWP_SKIPINVISIBLE | CWP_SKIPDISABLED | CWP_SKIPTRANSPARENT);
    if (!child || child == window) return window;
    client = MapPoint(window, child, client);
    window = child;
  }
}

POINT MapPoint(HWND from, HWND to, POINT point) {
  MapWindowPoints(from, to, &point, 1);
  return point;
}

void ClickAt(HWND topLevel, POINT client, WPARAM keys, Button button) {
  HWND target = VisibleWindowAt(topLevel, client);
  Click(target, MapPoint(topLevel, target, client), keys, button);
}

bool WaitUntil(const std::function<bool()>& test, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (test()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(50);
  }
}

std::vector<HWND> OtherVisibleWindows(DWORD pid, HWND except) {
  std::vector<HWND> windows = VisibleTopLevelWindows(pid);
  windows.erase(std::remove(windows.begin(), windows.end(), except), windows.end());
  return windows;
}

std::vector<HWND> BrowserWindowsIn(HWND window) {
  std::vector<HWND> found;
  EnumChildWindows(window, &CollectBrowser, reinterpret_cast<LPARAM>(&found));
  return found;
}

void Screenshot(const std::wstring& name) {
  wchar_t folder[MAX_PATH];
  if (!GetEnvironmentVariableW(L"QUIREL_WINDOWS_SCREENSHOTS", folder, MAX_PATH)) return;
  Sleep(500);  // let the windows paint
  ChildProcess shot(BinFolder() + L"DesktopScreenshot.exe",
                    {std::wstring(folder) + L"\\" + name + L".bmp"});
  shot.WaitForExit(20000);
}

SIZE ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.right, r.bottom};
}

SIZE SettledClientSize(HWND window, DWORD stableMs, DWORD timeoutMs) {
  SIZE size = ClientSize(window);
  ULONGLONG since = GetTickCount64();
  WaitUntil(
      [&] {
        const SIZE now = ClientSize(window);
        if (now.cx != size.cx || now.cy != size.cy) size = now, since = GetTickCount64();
        return GetTickCount64() - since >= stableMs;
      },
      timeoutMs);
  return size;
}

bool NothingLeftAtShutdown(const std::vector<Json>& trace, std::string& what) {
  const std::vector<Json> found = Lines(trace, "shutdown.leftover");
  if (found.size() != 1) {
    what = std::to_string(found.size()) + " shutdown.leftover lines";
    return false;
  }
  const Json& args = found.front()["args"];
  for (const char* side : {"program", "engine"}) {
    for (const auto& [kind, count] : args[side].members) {
      // The engine's global request context lives as long as the process.
      const long long allowed = std::string(side) == "engine" && kind == "request_context" ? 1 : 0;
      if (count.Int() > allowed) what += std::string(side) + "." + kind + "=" + std::to_string(count.Int()) + " ";
    }
  }
  if (args["program"].members.empty()) what += "no program object was counted ";
  return what.empty();
}

}  // namespace quirel::test
