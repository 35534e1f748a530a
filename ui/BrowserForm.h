// What the main window and the popup windows share as windows around one browser: moves and
// menu loops are told to the engine, and the host control goes when the engine asks for it.
#pragma once

#include "engine/CEFWindowParent.h"
#include "engine/Chromium.h"
#include "ui/kit/Form.h"

namespace quirel {

class TBrowserForm : public kit::TForm {
 public:
  using kit::TForm::TForm;

 protected:
  // The window's browser component and the control that hosts its browser (null once gone).
  virtual TChromium* BrowserComponent() = 0;
  virtual TCEFWindowParent*& BrowserHost() = 0;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Asks the engine once to close the browser; a window closed before its browser was
  // announced calls it again when it is.
  void CloseBrowserOnce();

 private:
  bool FBrowserCloseSent = false;
};

}  // namespace quirel
