// Delphi-style placement of child controls: pure geometry, no windows involved, so the rules
// are tested as tables. Lengths in LayoutItem are 96-DPI pixels; results are device pixels.
#pragma once

#include <windows.h>

#include <vector>

namespace quirel::kit {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;
constexpr TAnchors kDefaultAnchors = akLeft | akTop;

struct TMargins {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct LayoutItem {
  TAlign Align = TAlign::alNone;
  TAnchors Anchors = kDefaultAnchors;
  bool Visible = true;
  // Designed bounds relative to the parent's client area.
  int Left = 0, Top = 0, Width = 0, Height = 0;
  // Space kept free around an aligned control.
  TMargins Margins;
};

struct LayoutFrame {
  RECT Client{};    // the parent's whole client area (anchors refer to it)
  RECT Content{};   // the part aligned controls share (the client area less decorations)
  SIZE Design96{};  // the client size the alNone bounds were designed against
  UINT Dpi = 96;
};

// Rectangles of the items, index for index. Aligned items are placed top, bottom, left,
// right, then client, each kind in position order (ties in item order); every alClient item
// gets the whole remaining area. Hidden aligned items take no space and get an empty
// rectangle; alNone items follow their anchors whether visible or not.
std::vector<RECT> AlignControls(const std::vector<LayoutItem>& items, const LayoutFrame& frame);

// A device-pixel length back in 96-DPI pixels.
inline int Unscale(int pixels, UINT dpi) { return MulDiv(pixels, 96, static_cast<int>(dpi)); }

}  // namespace quirel::kit
