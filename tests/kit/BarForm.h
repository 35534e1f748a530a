// A form built like the main window: a host window and a logo panel over the client area,
// a developer-tools pane with its splitter on the right, the dots strip over the top and the
// bottom bar with its spacer, buttons, version label and the circle indicator.
#pragma once

#include "ui/kit/ActivityIndicator.h"
#include "ui/kit/Form.h"
#include "ui/kit/Image.h"
#include "ui/kit/Label.h"
#include "ui/kit/Panel.h"
#include "ui/kit/SpeedButton.h"
#include "ui/kit/Splitter.h"
#include "ui/kit/StdControls.h"

namespace quirel::test {

// What a browser's host control is: a plain child window that is aligned like any control.
class THostWindow : public kit::TWinControl {
 public:
  using kit::TWinControl::TWinControl;
};

class TBarForm : public kit::TForm {
 public:
  TBarForm();

  THostWindow* CEFWindowParent1 = nullptr;
  kit::TPanel* pnlLogo = nullptr;
  kit::TImage* LogoImage = nullptr;
  kit::TPanel* DevTools = nullptr;
  kit::TSplitter* SplitterDevTools = nullptr;
  kit::TdxActivityIndicator* dxActivityIndicator1 = nullptr;
  kit::TPanel* paButtom = nullptr;
  kit::TBevel* Bevel2 = nullptr;
  kit::TPanel* pnlDebug = nullptr;
  kit::TSpeedButton* buDevTools = nullptr;
  kit::TSpeedButton* buBack = nullptr;
  kit::TSpeedButton* buForward = nullptr;
  kit::TSpeedButton* buReload = nullptr;
  kit::TSpeedButton* buHome = nullptr;
  kit::TSpeedButton* buMenu = nullptr;
  kit::TLabel* hlVersione = nullptr;
  kit::TPanel* AddressPnl = nullptr;
  kit::TEdit* AddressEdt = nullptr;
  kit::TButton* GoBtn = nullptr;
  kit::TdxActivityIndicator* dxActivityIndicator2 = nullptr;
};

}  // namespace quirel::test
