// The program's main window: the web application's home page in a browser above a slim
// bottom bar. It keeps one popup window prepared for the page's popups and runs the close
// sequence: popup windows first, then its own browser, then itself.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "engine/CEFWindowParent.h"
#include "engine/Chromium.h"
#include "ui/kit/ActivityIndicator.h"
#include "ui/BrowserForm.h"
#include "ui/kit/Image.h"
#include "ui/kit/Label.h"
#include "ui/kit/Panel.h"
#include "ui/kit/SpeedButton.h"
#include "ui/kit/Splitter.h"
#include "ui/kit/StdControls.h"
#include "ui/kit/Timer.h"

namespace quirel {

class TfrmChildForm;

class TfrmMain : public TBrowserForm {
 public:
  TfrmMain();
  ~TfrmMain() override;

  // Engine UI thread: hands a page popup over to the prepared popup window.
  bool CreateClientHandler(TCefWindowInfo& windowInfo, CefRef<cef_client_t>& client,
                           const std::wstring& targetFrameName,
                           const TCefPopupFeatures& popupFeatures);
  // Popup windows on the screen that have taken a popup.
  int PopupChildCount() const;

  std::unique_ptr<TChromium> ChromiumQuirel;
  TCEFWindowParent* CEFWindowParent1 = nullptr;
  kit::TPanel* pnlLogo = nullptr;
  kit::TImage* LogoImage = nullptr;
  TCEFWindowParent* DevTools = nullptr;
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
  kit::TTimer TimerStart;

 protected:
  bool CloseQuery() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  TChromium* BrowserComponent() override { return ChromiumQuirel.get(); }
  TCEFWindowParent*& BrowserHost() override { return CEFWindowParent1; }

 private:
  void CreateControls();
  void FormCreate();
  void FormShow();
  void FormDestroy();
  void FormConstrainedResize(MINMAXINFO& info);
  void TimerStartTimer();
  void buBackClick();
  void buForwardClick();
  void buReloadClick();
  void buHomeClick();
  void buHomeMouseUp(kit::TMouseButton button, kit::TShiftState shift, int x, int y);
  void buDevToolsClick();
  void GoBtnClick();
  void OpenDevToolsPane(POINT point);
  void CloseDevToolsPane();
  void ClosePopupWindows();
  void PrepareChildForm();
  void ShowPreparedPopup();
  void ShowLoading(WPARAM indicators);
  void BrowserCreated();

  void ChromiumQuirelAfterCreated(TChromiumCore& Sender, cef_browser_t* browser);
  void ChromiumQuirelBeforePopup(TChromiumCore& Sender, cef_browser_t* browser, cef_frame_t* frame,
                                 const std::wstring& targetUrl, const std::wstring& targetFrameName,
                                 cef_window_open_disposition_t targetDisposition, bool userGesture,
                                 const TCefPopupFeatures& popupFeatures,
                                 TCefWindowInfo& windowInfo, CefRef<cef_client_t>& client,
                                 TCefBrowserSettings& settings,
                                 CefRef<cef_dictionary_value_t>& extra_info,
                                 bool& noJavascriptAccess, bool& Result);
  void ChromiumQuirelBeforeBrowse(TChromiumCore& Sender, cef_browser_t* browser,
                                  cef_frame_t* frame, cef_request_t* request, bool user_gesture,
                                  bool isRedirect, bool& Result);
  void ChromiumQuirelLoadingProgressChange(TChromiumCore& Sender, cef_browser_t* browser,
                                           double progress);
  void ChromiumQuirelLoadingStateChange(TChromiumCore& Sender, cef_browser_t* browser,
                                        bool isLoading, bool canGoBack, bool canGoForward);
  void ChromiumQuirelLoadEnd(TChromiumCore& Sender, cef_browser_t* browser, cef_frame_t* frame,
                             int httpStatusCode);
  void ChromiumQuirelBeforeContextMenu(TChromiumCore& Sender, cef_browser_t* browser,
                                       cef_frame_t* frame, cef_context_menu_params_t* params,
                                       cef_menu_model_t* model);
  void ChromiumQuirelBeforeDownload(TChromiumCore& Sender, cef_browser_t* browser,
                                    cef_download_item_t* downloadItem,
                                    const std::wstring& suggestedName,
                                    cef_before_download_callback_t* callback);
  void ChromiumQuirelClose(TChromiumCore& Sender, cef_browser_t* browser,
                           TCefCloseBrowserAction& aAction);
  void ChromiumQuirelBeforeClose(TChromiumCore& Sender, cef_browser_t* browser);

  std::atomic<bool> showIndicator{true};
  int ScreenWmin = 1038;
  int ScreenHmin = 735;
  TfrmChildForm* FChildForm = nullptr;
  std::unique_ptr<std::mutex> FCriticalSection;
  std::atomic<bool> FCanClose{false};
  bool FClosingMainForm = false;
  bool FClosingChildren = false;

  // Read by the engine's UI thread, which must never create it.
  std::atomic<HWND> FWindow{nullptr};
  bool FShown = false;
  // The engine accepted the browser request; its close events will come.
  bool FBrowserRequested = false;
  // The browser was asked to close (a close before it was announced asks when it is).
};

extern TfrmMain* frmMain;

}  // namespace quirel
