// Puts premultiplied pixels on a device context with their alpha.
#pragma once

#include <windows.h>

#include "ui/kit/Pixels.h"

namespace quirel::kit {

void DrawPixels(HDC dc, int x, int y, const TPixels& pixels);

}  // namespace quirel::kit
