#include "ui/BrowserForm.h"

#include "engine/CefApplication.h"
#include "ui/WindowMessages.h"

namespace quirel {

void TBrowserForm::CloseBrowserOnce() {
  if (FBrowserCloseSent) return;
  FBrowserCloseSent = true;
  if (TChromium* chromium = BrowserComponent()) chromium->CloseBrowser(true);
}

LRESULT TBrowserForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOVE:
    case WM_MOVING: {
      const LRESULT result = TForm::WndProc(message, wParam, lParam);
      if (TChromium* chromium = BrowserComponent()) chromium->NotifyMoveOrResizeStarted();
      return result;
    }
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP: {
      const LRESULT result = TForm::WndProc(message, wParam, lParam);
      if (wParam == 0 && EngineApp) EngineApp->SetOsmodalLoop(message == WM_ENTERMENULOOP);
      return result;
    }
    case UM_DESTROY_BROWSER_HOST:
      if (TCEFWindowParent*& host = BrowserHost()) {
        // Destroying the host control destroys the browser's window with it.
        FreeControl(host);
        host = nullptr;
      }
      return 0;
  }
  return TForm::WndProc(message, wParam, lParam);
}

}  // namespace quirel
