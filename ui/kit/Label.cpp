#include "ui/kit/Label.h"

namespace quirel::kit {

void TLabel::SetCaption(std::wstring caption) {
  caption_ = std::move(caption);
  Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TLabel::SetTransparent(bool value) {
  transparent_ = value;
  Invalidate();
}

void TLabel::Paint(HDC dc, const RECT& client) {
  if (!transparent_) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
  }
  const TFont& font = Font();
  HGDIOBJ old = SelectObject(dc, FontHandle(font, Dpi()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Enabled() ? font.Color : clGrayText));
  UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT;
  if (layout_ == TTextLayout::tlCenter) format |= DT_VCENTER;
  if (layout_ == TTextLayout::tlBottom) format |= DT_BOTTOM;
  RECT r = client;
  DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, format);
  SelectObject(dc, old);
}

}  // namespace quirel::kit
