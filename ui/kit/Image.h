// A picture drawn centred in the control: one of the program's picture resources (the
// variant made for the window's density) or pixels given at 96 DPI.
#pragma once

#include <map>
#include <string>

#include "ui/kit/Control.h"
#include "ui/kit/Pixels.h"

namespace quirel::kit {

// The picture of a control at each density it was shown at.
class TPictureSource {
 public:
  void SetResource(std::wstring name);
  void SetPixels(TPixels pixels96);
  bool Empty() const { return resource_.empty() && pixels96_.Empty(); }
  // Size at 96 DPI.
  SIZE Size96();
  const TPixels& At(UINT dpi);

 private:
  std::wstring resource_;
  TPixels pixels96_;
  std::map<UINT, TPixels> cache_;
};

class TImage : public TControl {
 public:
  explicit TImage(TContainer& parent) : TControl(parent) {}

  TPictureSource& Picture() { return picture_; }
  void SetPictureResource(std::wstring name);
  void SetPicture(TPixels pixels96);
  bool Center = true;

  void Paint(HDC dc, const RECT& client) override;

 private:
  TPictureSource picture_;
};

}  // namespace quirel::kit
