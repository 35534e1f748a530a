#include "ui/kit/PixelPaint.h"

#include <cstring>

namespace quirel::kit {
namespace {

// A device context and the section selected into it, released together.
class SectionDc {
 public:
  SectionDc(HDC reference, const TPixels& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.Width;
    info.bmiHeader.biHeight = -pixels.Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_ || !bits) return;
    std::memcpy(bits, pixels.Data.data(), pixels.Data.size() * sizeof(uint32_t));
    dc_ = CreateCompatibleDC(reference);
    if (dc_) old_ = SelectObject(dc_, bitmap_);
  }
  ~SectionDc() {
    if (dc_) {
      SelectObject(dc_, old_);
      DeleteDC(dc_);
    }
    if (bitmap_) DeleteObject(bitmap_);
  }
  SectionDc(const SectionDc&) = delete;
  SectionDc& operator=(const SectionDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HBITMAP bitmap_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace

void DrawPixels(HDC dc, int x, int y, const TPixels& pixels) {
  if (pixels.Empty()) return;
  SectionDc source(dc, pixels);
  if (!source.Get()) return;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, pixels.Width, pixels.Height, source.Get(), 0, 0, pixels.Width,
             pixels.Height, blend);
}

}  // namespace quirel::kit
