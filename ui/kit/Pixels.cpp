#include "ui/kit/Pixels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "common/Errors.h"

namespace quirel::kit {
namespace {

uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

uint32_t Pack(double a, double r, double g, double b) {
  auto c = [](double v) { return static_cast<uint32_t>(std::clamp(std::lround(v), 0L, 255L)); };
  return (c(a) << 24) | (c(r) << 16) | (c(g) << 8) | c(b);
}

uint32_t ReadLE(std::string_view bytes, size_t offset, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
  return value;
}

// Resizes one axis; `lines` rows (or columns) of `from` samples each, stride-free vectors of
// four doubles per sample (a, r, g, b).
std::vector<double> ResizeAxis(const std::vector<double>& in, int from, int to, int lines,
                               bool alongRows) {
  std::vector<double> out(size_t(to) * lines * 4, 0.0);
  const double ratio = double(from) / to;
  for (int line = 0; line < lines; ++line) {
    auto src = [&](int i, int c) {
      const size_t index = alongRows ? (size_t(line) * from + i) : (size_t(i) * lines + line);
      return in[index * 4 + c];
    };
    for (int o = 0; o < to; ++o) {
      double acc[4] = {0, 0, 0, 0};
      if (ratio > 1.0) {
        const double lo = o * ratio, hi = lo + ratio;
        for (int i = int(lo); i < std::min(from, int(std::ceil(hi))); ++i) {
          const double weight = std::min(hi, i + 1.0) - std::max(lo, double(i));
          for (int c = 0; c < 4; ++c) acc[c] += src(i, c) * weight;
        }
        for (double& v : acc) v /= ratio;
      } else {
        const double centre = std::clamp((o + 0.5) * ratio - 0.5, 0.0, double(from - 1));
        const int i0 = int(centre), i1 = std::min(from - 1, i0 + 1);
        const double t = centre - i0;
        for (int c = 0; c < 4; ++c) acc[c] = src(i0, c) * (1 - t) + src(i1, c) * t;
      }
      const size_t index = alongRows ? (size_t(line) * to + o) : (size_t(o) * lines + line);
      for (int c = 0; c < 4; ++c) out[index * 4 + c] = acc[c];
    }
  }
  return out;
}

}  // namespace

uint32_t Premultiply(uint32_t rgb, double coverage) {
  const double a = std::clamp(coverage, 0.0, 1.0);
  return Pack(255 * a, Channel(rgb, 16) * a, Channel(rgb, 8) * a, Channel(rgb, 0) * a);
}

void BlendPixel(TPixels& target, int x, int y, uint32_t pixel) {
  if (x < 0 || y < 0 || x >= target.Width || y >= target.Height) return;
  uint32_t& dst = target.At(x, y);
  const double keep = 1.0 - Channel(pixel, 24) / 255.0;
  dst = Pack(Channel(pixel, 24) + Channel(dst, 24) * keep, Channel(pixel, 16) + Channel(dst, 16) * keep,
             Channel(pixel, 8) + Channel(dst, 8) * keep, Channel(pixel, 0) + Channel(dst, 0) * keep);
}

TPixels DecodeBmp(std::string_view bytes) {
  if (bytes.size() < 54 || bytes.substr(0, 2) != "BM")
    throw Exception(L"The picture is not a BMP file");
  const uint32_t dataOffset = ReadLE(bytes, 10, 4);
  const uint32_t headerSize = ReadLE(bytes, 14, 4);
  const int32_t width = static_cast<int32_t>(ReadLE(bytes, 18, 4));
  const int32_t rawHeight = static_cast<int32_t>(ReadLE(bytes, 22, 4));
  const uint32_t bitCount = ReadLE(bytes, 28, 2);
  const uint32_t compression = ReadLE(bytes, 30, 4);
  const bool topDown = rawHeight < 0;
  const int64_t height = topDown ? -int64_t(rawHeight) : rawHeight;
  if (headerSize < 40 || width <= 0 || height <= 0 || width > 8192 || height > 8192 ||
      (bitCount != 32 && bitCount != 24) || (compression != 0 && compression != 3))  // BI_RGB, BI_BITFIELDS
    throw Exception(L"The BMP picture has a format that is not supported");
  const size_t stride = ((size_t(width) * bitCount + 31) / 32) * 4;
  if (dataOffset > bytes.size() || bytes.size() - dataOffset < stride * size_t(height))
    throw Exception(L"The BMP picture is cut short");
  TPixels pixels(width, static_cast<int>(height));
  for (int y = 0; y < pixels.Height; ++y) {
    const size_t row = dataOffset + stride * size_t(topDown ? y : pixels.Height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const size_t at = row + size_t(x) * (bitCount / 8);
      const uint32_t b = static_cast<unsigned char>(bytes[at]);
      const uint32_t g = static_cast<unsigned char>(bytes[at + 1]);
      const uint32_t r = static_cast<unsigned char>(bytes[at + 2]);
      const uint32_t a = bitCount == 32 ? static_cast<unsigned char>(bytes[at + 3]) : 255;
      pixels.At(x, y) = Premultiply((r << 16) | (g << 8) | b, a / 255.0);
    }
  }
  return pixels;
}

TPixels Resample(const TPixels& source, int width, int height) {
  if (source.Empty() || width <= 0 || height <= 0) return TPixels(std::max(0, width), std::max(0, height));
  if (width == source.Width && height == source.Height) return source;
  std::vector<double> samples(source.Data.size() * 4);
  for (size_t i = 0; i < source.Data.size(); ++i)
    for (int c = 0; c < 4; ++c) samples[i * 4 + c] = Channel(source.Data[i], 24 - 8 * c);
  const auto rows = ResizeAxis(samples, source.Width, width, source.Height, true);
  const auto both = ResizeAxis(rows, source.Height, height, width, false);
  TPixels out(width, height);
  for (size_t i = 0; i < out.Data.size(); ++i)
    out.Data[i] = Pack(both[i * 4], both[i * 4 + 1], both[i * 4 + 2], both[i * 4 + 3]);
  return out;
}

TPixels Disabled(const TPixels& source) {
  TPixels out = source;
  for (uint32_t& p : out.Data) {
    const double a = Channel(p, 24) * 0.45;
    const double grey = (Channel(p, 16) * 0.30 + Channel(p, 8) * 0.59 + Channel(p, 0) * 0.11) * 0.45;
    // Lightened towards the faded alpha so dark glyphs turn mid grey.
    const double lifted = grey + (a - grey) * 0.35;
    p = Pack(a, lifted, lifted, lifted);
  }
  return out;
}

}  // namespace quirel::kit
