#include "ui/kit/Panel.h"

#include <algorithm>

namespace quirel::kit {
namespace {

void FillColor(HDC dc, const RECT& r, TColor color) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

}  // namespace

void TPanel::SetTopLine(bool value) {
  topLine_ = value;
  Realign();
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TPanel::SetTopLineColor(TColor color) {
  topLineColor_ = color;
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TPanel::SetAutoSize(bool value) {
  autoSize_ = value;
  RequestAlign();
}

RECT TPanel::ContentRect() const {
  RECT content = TWinControl::ContentRect();
  if (topLine_) content.top = std::min(content.bottom, content.top + ScaleValue(1));
  return content;
}

std::optional<SIZE> TPanel::AutoSizeExtent() const {
  if (!autoSize_) return std::nullopt;
  int across = 0, down = 0, wide = 0, high = 0;
  for (const auto& control : Controls()) {
    if (!control->Visible()) continue;
    const TMargins& m = control->Margins();
    const int w = control->Width() + m.Left + m.Right, h = control->Height() + m.Top + m.Bottom;
    switch (control->Align()) {
      case TAlign::alLeft:
      case TAlign::alRight:
        across += w;
        high = std::max(high, h);
        break;
      case TAlign::alTop:
      case TAlign::alBottom:
        down += h;
        wide = std::max(wide, w);
        break;
      default:
        wide = std::max(wide, control->Left() + w);
        high = std::max(high, control->Top() + h);
        break;
    }
  }
  SIZE size{std::max(across, wide), std::max(down, high) + (topLine_ ? 1 : 0)};
  // The parent decides the extent across the alignment.
  if (Align() == TAlign::alLeft || Align() == TAlign::alRight) size.cy = Height();
  if (Align() == TAlign::alTop || Align() == TAlign::alBottom) size.cx = Width();
  return size;
}

void TPanel::PaintContent(HDC dc, const RECT& area) {
  (void)area;
  if (!topLine_) return;
  RECT line{0, 0, ClientWidth(), ScaleValue(1)};
  FillColor(dc, line, topLineColor_);
}

void TBevel::Paint(HDC dc, const RECT& client) {
  if (shape_ != TBevelShape::bsTopLine) return;
  RECT line{client.left, client.top, client.right, client.top + ScaleValue(1)};
  FillColor(dc, line, LineColor);
}

}  // namespace quirel::kit
