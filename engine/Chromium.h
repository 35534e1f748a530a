// The browser component as the windows use it: creates its browser inside a windowed
// control, shows the developer tools in one, and places the form that owns it.
#pragma once

#include <windows.h>

#include <string>

#include "engine/ChromiumCore.h"
#include "ui/kit/Form.h"
#include "ui/kit/WinControl.h"

namespace quirel {

class TChromium : public TChromiumCore {
 public:
  // The owning form places itself through the component; may be null.
  explicit TChromium(kit::TForm* owner);

  kit::TForm* Owner() const { return FOwner; }

  // True means the request was accepted, not that the browser exists.
  bool CreateBrowser(kit::TWinControl* aBrowserParent, const std::wstring& aWindowName = L"",
                     cef_request_context_t* aContext = nullptr,
                     cef_dictionary_value_t* aExtraInfo = nullptr);
  // x or y of -2147483648 inspects no element. Without aDevTools a top-level window.
  void ShowDevTools(POINT inspectElementAt, kit::TWinControl* aDevTools);
  void CloseDevTools(kit::TWinControl* aDevTools);

  // The form kept on the virtual desktop; client sizes of at least 100.
  void SetFormLeftTo(int x);
  void SetFormTopTo(int y);
  void ResizeFormWidthTo(int x);
  void ResizeFormHeightTo(int y);

 private:
  kit::TForm* FOwner;
};

}  // namespace quirel
