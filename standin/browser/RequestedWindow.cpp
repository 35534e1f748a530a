#include "standin/browser/RequestedWindow.h"

#include <cstdint>

#include "standin/strings/EngineStrings.h"

namespace quirel::standin {

RequestedWindow RequestedWindow::From(const cef_window_info_t& info) {
  RequestedWindow requested;
  requested.ex_style = info.ex_style;
  requested.window_name = ToWString(&info.window_name);
  requested.style = info.style;
  requested.x = info.x;
  requested.y = info.y;
  requested.width = info.width;
  requested.height = info.height;
  requested.parent = info.parent_window;
  requested.menu = info.menu;
  requested.windowless = info.windowless_rendering_enabled != 0;
  return requested;
}

void RequestedWindow::To(cef_window_info_t& info) const {
  info.ex_style = ex_style;
  SetString(&info.window_name, window_name);
  info.style = style;
  info.x = x;
  info.y = y;
  info.width = width;
  info.height = height;
  info.parent_window = parent;
  info.menu = menu;
  info.windowless_rendering_enabled = windowless;
}

JsonObject RequestedWindow::ToJson() const {
  return JsonObject()
      .Int("ex_style", ex_style)
      .Text("window_name", window_name)
      .Int("style", style)
      .Int("x", x)
      .Int("y", y)
      .Int("width", width)
      .Int("height", height)
      .Int("parent_window", HandleNumber(parent))
      .Bool("child", (style & WS_CHILD) != 0);
}

long long HandleNumber(const void* handle) {
  return static_cast<long long>(reinterpret_cast<std::intptr_t>(handle));
}

}  // namespace quirel::standin
