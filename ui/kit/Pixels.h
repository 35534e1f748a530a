// 32-bit pictures in memory: premultiplied BGRA, rows top to bottom. Pictures, button glyphs
// and the activity indicators are all drawn through this one form, so alpha is handled once.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quirel::kit {

struct TPixels {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Data;  // 0xAARRGGBB, colour already multiplied by alpha

  TPixels() = default;
  TPixels(int width, int height) : Width(width), Height(height), Data(size_t(width) * height) {}
  bool Empty() const { return Width <= 0 || Height <= 0; }
  uint32_t& At(int x, int y) { return Data[size_t(y) * Width + x]; }
  uint32_t At(int x, int y) const { return Data[size_t(y) * Width + x]; }
};

// A premultiplied pixel of colour rgb (0xRRGGBB) at coverage 0..1.
uint32_t Premultiply(uint32_t rgb, double coverage);
// Lays `pixel` over what is at (x, y) (source over).
void BlendPixel(TPixels& target, int x, int y, uint32_t pixel);

// A BMP file of 32 bits per pixel (straight alpha, as BMP files carry it) or 24 bits;
// throws quirel::Exception when the bytes are no such file.
TPixels DecodeBmp(std::string_view bytes);

// Area-averaging resize for reductions, bilinear for enlargements: smooth edges, no moiré.
TPixels Resample(const TPixels& source, int width, int height);

// The picture as a disabled control shows it: grey and faded.
TPixels Disabled(const TPixels& source);

}  // namespace quirel::kit
