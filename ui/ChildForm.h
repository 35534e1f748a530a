// The window a page's popup opens in. The main window keeps one prepared and hidden; on the
// engine's UI thread it lends its browser component as the popup's client and its host
// control as the popup's parent, and the main window then places and shows it.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/CEFWindowParent.h"
#include "engine/Chromium.h"
#include "ui/BrowserForm.h"
#include "ui/kit/Label.h"
#include "ui/kit/Panel.h"
#include "ui/kit/SpeedButton.h"

namespace quirel {

class TfrmChildForm : public TBrowserForm {
 public:
  // `owner` is the main window; its window owns this one's.
  explicit TfrmChildForm(kit::TForm& owner);
  ~TfrmChildForm() override;

  // Engine UI thread, under the main window's lock.
  bool CreateClientHandler(TCefWindowInfo& windowInfo, CefRef<cef_client_t>& client,
                           const std::wstring& targetFrameName,
                           const TCefPopupFeatures& popupFeatures);
  // Window's thread, before the window is shown.
  void ApplyPopupFeatures();

  bool ClientInitialized() const { return FClientInitialized.load(); }
  bool Closing() const { return FClosing; }

  // Every popup window that exists, prepared or shown (window's thread only).
  static const std::vector<TfrmChildForm*>& Instances();

  std::unique_ptr<TChromium> Chromium1;
  TCEFWindowParent* CEFWindowParent1 = nullptr;
  kit::TPanel* paButtom = nullptr;
  kit::TBevel* Bevel2 = nullptr;
  kit::TSpeedButton* buBack = nullptr;
  kit::TSpeedButton* buHome = nullptr;
  kit::TLabel* hlVersione = nullptr;
  kit::TPanel* AddressPnl = nullptr;

 protected:
  HWND OwnerWindow() const override;
  bool CloseQuery() override;
  void DoClose(kit::TCloseAction& action) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  TChromium* BrowserComponent() override { return Chromium1.get(); }
  TCEFWindowParent*& BrowserHost() override { return CEFWindowParent1; }

 private:
  void FormCreate();
  void AfterConstruction();
  void FormDestroy();
  void buHomeClick();
  void Chromium1TitleChange(TChromiumCore& Sender, cef_browser_t* browser,
                            const std::wstring& title);
  void Chromium1BeforePopup(TChromiumCore& Sender, cef_browser_t* browser, cef_frame_t* frame,
                            const std::wstring& targetUrl, const std::wstring& targetFrameName,
                            cef_window_open_disposition_t targetDisposition, bool userGesture,
                            const TCefPopupFeatures& popupFeatures, TCefWindowInfo& windowInfo,
                            CefRef<cef_client_t>& client, TCefBrowserSettings& settings,
                            CefRef<cef_dictionary_value_t>& extra_info, bool& noJavascriptAccess,
                            bool& Result);
  void Chromium1AfterCreated(TChromiumCore& Sender, cef_browser_t* browser);
  void Chromium1Close(TChromiumCore& Sender, cef_browser_t* browser,
                      TCefCloseBrowserAction& aAction);
  void Chromium1BeforeClose(TChromiumCore& Sender, cef_browser_t* browser);
  void ShowTitle();

  kit::TForm& FOwner;
  // Read by the engine's UI thread: the window exists before any hand-off.
  HWND FWindow = nullptr;
  std::atomic<bool> FCanClose{false};
  bool FClosing = false;
  std::atomic<bool> FClientInitialized{false};
  TCefPopupFeatures FPopupFeatures{};
  std::mutex FTitleLock;
  std::wstring FTitle;
};

}  // namespace quirel
