// The pieces both browser windows build their bottom bar from.
#pragma once

#include "ui/kit/Label.h"
#include "ui/kit/Panel.h"
#include "ui/kit/SpeedButton.h"

namespace quirel {

// The 30-pixel white bar along the bottom of a client area of the given size, with a line
// along its top.
kit::TPanel* MakeBottomBar(kit::TContainer& parent, int clientWidth, int clientHeight);
// The 8-pixel spacer at the bar's left end.
kit::TBevel* MakeBarSpacer(kit::TPanel& bar);
// A flat 24 x 25 picture button with 2-pixel margins, aligned left.
kit::TSpeedButton* MakeBarButton(kit::TContainer& parent, const wchar_t* picture);
// The 200-pixel bold maroon label.
kit::TLabel* MakeVersionLabel(kit::TPanel& bar);

}  // namespace quirel
