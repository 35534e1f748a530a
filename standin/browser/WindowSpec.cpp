#include "standin/browser/WindowSpec.h"

#include <cstdint>

#include "standin/strings/EngineStrings.h"

namespace quirel::standin {

WindowSpec WindowSpec::From(const cef_window_info_t& info) {
  WindowSpec spec;
  spec.ex_style = info.ex_style;
  spec.window_name = ToWString(&info.window_name);
  spec.style = info.style;
  spec.x = info.x;
  spec.y = info.y;
  spec.width = info.width;
  spec.height = info.height;
  spec.parent = info.parent_window;
  spec.menu = info.menu;
  spec.windowless = info.windowless_rendering_enabled != 0;
  return spec;
}

void WindowSpec::To(cef_window_info_t& info) const {
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

JsonObject WindowSpec::ToJson() const {
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
