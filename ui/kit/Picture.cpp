#include "ui/kit/Picture.h"

#include <windows.h>

#include <string_view>

#include "common/Errors.h"
#include "ui/kit/Dpi.h"

namespace quirel::kit {
namespace {

bool ResourceBytes(const std::wstring& name, std::string_view& bytes) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!info) return false;
  HGLOBAL data = LoadResource(module, info);
  const void* start = data ? LockResource(data) : nullptr;
  if (!start) return false;
  bytes = std::string_view(static_cast<const char*>(start), SizeofResource(module, info));
  return true;
}

}  // namespace

int ChoosePictureVariant(const std::vector<PictureVariant>& variants, UINT dpi) {
  int best = -1;
  for (size_t i = 0; i < variants.size(); ++i) {
    const UINT d = variants[i].Dpi;
    if (d == dpi) return static_cast<int>(i);
    if (best < 0) {
      best = static_cast<int>(i);
      continue;
    }
    const UINT b = variants[best].Dpi;
    const bool denser = d > dpi, bestDenser = b > dpi;
    if (denser && (!bestDenser || d < b)) best = static_cast<int>(i);
    else if (!denser && !bestDenser && d > b) best = static_cast<int>(i);
  }
  return best;
}

TPixels ScalePicture(const TPixels& picture96, UINT dpi) {
  return Resample(picture96, Scale(picture96.Width, dpi), Scale(picture96.Height, dpi));
}

TPixels LoadPicture(const std::wstring& name, UINT dpi) {
  std::vector<PictureVariant> variants;
  std::vector<TPixels> decoded;
  int width96 = 0, height96 = 0;
  for (UINT density : kPictureDensities) {
    std::string_view bytes;
    if (!ResourceBytes(name + L"_" + std::to_wstring(density), bytes)) continue;
    TPixels pixels = DecodeBmp(bytes);
    if (density == 96 || width96 == 0) {
      width96 = MulDiv(pixels.Width, 96, static_cast<int>(density));
      height96 = MulDiv(pixels.Height, 96, static_cast<int>(density));
    }
    variants.push_back({density, pixels.Width, pixels.Height});
    decoded.push_back(std::move(pixels));
  }
  const int chosen = ChoosePictureVariant(variants, dpi);
  if (chosen < 0) throw Exception(L"The picture " + name + L" is missing from the program");
  return Resample(decoded[chosen], Scale(width96, dpi), Scale(height96, dpi));
}

}  // namespace quirel::kit
