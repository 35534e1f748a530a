#include "ui/kit/Image.h"

#include "ui/kit/Picture.h"
#include "ui/kit/PixelPaint.h"

namespace quirel::kit {

void TPictureSource::SetResource(std::wstring name) {
  resource_ = std::move(name);
  pixels96_ = TPixels();
  cache_.clear();
}

void TPictureSource::SetPixels(TPixels pixels96) {
  resource_.clear();
  pixels96_ = std::move(pixels96);
  cache_.clear();
}

SIZE TPictureSource::Size96() {
  if (!pixels96_.Empty()) return SIZE{pixels96_.Width, pixels96_.Height};
  const TPixels& base = At(96);
  return SIZE{base.Width, base.Height};
}

const TPixels& TPictureSource::At(UINT dpi) {
  auto it = cache_.find(dpi);
  if (it != cache_.end()) return it->second;
  TPixels pixels;
  if (!resource_.empty()) pixels = LoadPicture(resource_, dpi);
  else if (!pixels96_.Empty()) pixels = ScalePicture(pixels96_, dpi);
  return cache_.emplace(dpi, std::move(pixels)).first->second;
}

void TImage::SetPictureResource(std::wstring name) {
  picture_.SetResource(std::move(name));
  Invalidate();
}

void TImage::SetPicture(TPixels pixels96) {
  picture_.SetPixels(std::move(pixels96));
  Invalidate();
}

void TImage::Paint(HDC dc, const RECT& client) {
  if (picture_.Empty()) return;
  const TPixels& pixels = picture_.At(Dpi());
  const int x = Center ? (client.right - pixels.Width) / 2 : 0;
  const int y = Center ? (client.bottom - pixels.Height) / 2 : 0;
  DrawPixels(dc, x, y, pixels);
}

}  // namespace quirel::kit
