// Pictures compiled into the executable as RCDATA BMP files, one per pixel density:
// NAME_96 (the size the layout is designed in) and NAME_144. The variant made for a density
// is used as it is, so glyphs stay crisp; other densities get a smooth resize.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/kit/Pixels.h"

namespace quirel::kit {

struct PictureVariant {
  UINT Dpi = 96;
  int Width = 0, Height = 0;
};

// Index of the variant to start from for `dpi`: an exact density, else the nearest denser
// one, else the densest. -1 when there is none.
int ChoosePictureVariant(const std::vector<PictureVariant>& variants, UINT dpi);

// The densities pictures are made for.
inline constexpr UINT kPictureDensities[] = {96, 144};

// The picture `name` at `dpi`, sized Scale(size at 96 DPI, dpi); throws quirel::Exception
// when the module has no variant of it.
TPixels LoadPicture(const std::wstring& name, UINT dpi);

// The 96-DPI picture brought to `dpi` (for pictures made in code).
TPixels ScalePicture(const TPixels& picture96, UINT dpi);

}  // namespace quirel::kit
