// A line of text on its parent's background (or on its own colour when not transparent).
#pragma once

#include <string>

#include "ui/kit/Control.h"

namespace quirel::kit {

enum class TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TControl {
 public:
  explicit TLabel(TContainer& parent, std::wstring caption = {})
      : TControl(parent), caption_(std::move(caption)) {}

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring caption);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout layout);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  TColor Color = clBtnFace;  // used when not transparent

  void Paint(HDC dc, const RECT& client) override;

 private:
  std::wstring caption_;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool transparent_ = true;
};

}  // namespace quirel::kit
