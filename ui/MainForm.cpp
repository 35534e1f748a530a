#include "ui/MainForm.h"

#include <shellapi.h>

#include <exception>

#include "common/DroppedError.h"
#include "common/Globals.h"
#include "common/HomePage.h"
#include "engine/capi/CefString.h"
#include "ui/BottomBar.h"
#include "ui/ChildForm.h"
#include "ui/WindowMessages.h"
#include "ui/kit/Application.h"
#include "ui/kit/Dpi.h"
#include "update/UpdateModule.h"

namespace quirel {

using namespace kit;

TfrmMain* frmMain = nullptr;

namespace {

constexpr int kDesignWidth = 1265, kDesignHeight = 825;
constexpr uint32_t kIndicatorBlue = 0x0079BA;
constexpr WPARAM kTopIndicator = 1, kBarIndicator = 2;
// No element to inspect.
constexpr POINT kNoInspectPoint{-2147483647 - 1, -2147483647 - 1};

// The debug gesture on the Home button: the right button released while exactly Ctrl and
// Shift are held.
constexpr TMouseButton kDebugButton = TMouseButton::mbRight;
constexpr TShiftState kDebugModifiers = ssCtrl | ssShift;

bool ContainsNoCase(std::wstring text, std::wstring part) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  CharLowerBuffW(part.data(), static_cast<DWORD>(part.size()));
  return text.find(part) != std::wstring::npos;
}

}  // namespace

TfrmMain::TfrmMain() : TBrowserForm(L"Quirel") {
  frmMain = this;
  ChromiumQuirel = std::make_unique<TChromium>(this);
  // Events first: the component's client handler carries the groups assigned when it is made.
  ChromiumQuirel->OnAfterCreated = [this](auto&&... a) { ChromiumQuirelAfterCreated(a...); };
  ChromiumQuirel->OnBeforePopup = [this](auto&&... a) { ChromiumQuirelBeforePopup(a...); };
  ChromiumQuirel->OnBeforeBrowse = [this](auto&&... a) { ChromiumQuirelBeforeBrowse(a...); };
  ChromiumQuirel->OnLoadingProgressChange = [this](auto&&... a) {
    ChromiumQuirelLoadingProgressChange(a...);
  };
  ChromiumQuirel->OnLoadingStateChange = [this](auto&&... a) {
    ChromiumQuirelLoadingStateChange(a...);
  };
  ChromiumQuirel->OnLoadEnd = [this](auto&&... a) { ChromiumQuirelLoadEnd(a...); };
  ChromiumQuirel->OnBeforeContextMenu = [this](auto&&... a) {
    ChromiumQuirelBeforeContextMenu(a...);
  };
  ChromiumQuirel->OnBeforeDownload = [this](auto&&... a) { ChromiumQuirelBeforeDownload(a...); };
  ChromiumQuirel->OnClose = [this](auto&&... a) { ChromiumQuirelClose(a...); };
  ChromiumQuirel->OnBeforeClose = [this](auto&&... a) { ChromiumQuirelBeforeClose(a...); };

  TimerStart.SetInterval(300);
  TimerStart.SetEnabled(false);
  TimerStart.OnTimer = [this] { TimerStartTimer(); };

  CreateControls();
  FormCreate();
}

TfrmMain::~TfrmMain() {
  FormDestroy();
  if (frmMain == this) frmMain = nullptr;
}

void TfrmMain::CreateControls() {
  // The controls are placed for the client area of the window's size at 96 DPI.
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, Style(), FALSE, ExStyle());
  const int clientWidth = kDesignWidth - (frame.right - frame.left);
  const int clientHeight = kDesignHeight - (frame.bottom - frame.top);
  SetDesignClientSize(clientWidth, clientHeight);
  SetColor(clWhite);
  TContainer::AlignLock lock(*this);

  CEFWindowParent1 = Make<TCEFWindowParent>(*this);
  CEFWindowParent1->SetAlign(TAlign::alClient);

  // Of two right-aligned controls the first lies outermost.
  DevTools = Make<TCEFWindowParent>(*this);
  DevTools->SetName(L"DevTools");
  DevTools->SetAlign(TAlign::alRight);
  DevTools->Hide();
  SplitterDevTools = Make<TSplitter>(*this);
  SplitterDevTools->SetAlign(TAlign::alRight);
  SplitterDevTools->SetWidth(5);
  SplitterDevTools->Hide();

  pnlLogo = Make<TPanel>(*this);
  pnlLogo->SetColor(clWhite);
  LogoImage = Make<TImage>(*pnlLogo);
  LogoImage->SetAlign(TAlign::alClient);
  LogoImage->Center = true;
  LogoImage->SetPictureResource(L"LOGO");

  paButtom = MakeBottomBar(*this, clientWidth, clientHeight);
  {
    TContainer::AlignLock barLock(*paButtom);
    Bevel2 = MakeBarSpacer(*paButtom);
    pnlDebug = Make<TPanel>(*paButtom);
    pnlDebug->SetAlign(TAlign::alLeft);
    pnlDebug->SetAutoSize(true);
    pnlDebug->SetColor(clWhite);
    pnlDebug->Hide();
    buDevTools = MakeBarButton(*pnlDebug, L"DEVTOOLS");
    buDevTools->OnClick = [this] { buDevToolsClick(); };
    buBack = MakeBarButton(*paButtom, L"BACK");
    buBack->OnClick = [this] { buBackClick(); };
    buForward = MakeBarButton(*paButtom, L"FORWARD");
    buForward->OnClick = [this] { buForwardClick(); };
    buReload = MakeBarButton(*paButtom, L"RELOAD");
    buReload->OnClick = [this] { buReloadClick(); };
    buHome = MakeBarButton(*paButtom, L"HOME");
    buHome->OnClick = [this] { buHomeClick(); };
    buHome->OnMouseUp = [this](TMouseButton button, TShiftState shift, int x, int y) {
      buHomeMouseUp(button, shift, x, y);
    };
    buMenu = MakeBarButton(*paButtom, L"MENU");
    buMenu->Hide();
    hlVersione = MakeVersionLabel(*paButtom);
    AddressPnl = Make<TPanel>(*paButtom);
    AddressPnl->SetAlign(TAlign::alLeft);
    AddressPnl->SetWidth(300);
    AddressPnl->Hide();
    AddressPnl->SetEnabled(false);
    AddressEdt = Make<TEdit>(*AddressPnl, HomePageUrl());
    AddressEdt->SetAlign(TAlign::alClient);
    GoBtn = Make<TButton>(*AddressPnl, L"Go");
    GoBtn->SetAlign(TAlign::alRight);
    GoBtn->SetWidth(40);
    GoBtn->OnClick = [this] { GoBtnClick(); };
    dxActivityIndicator2 =
        Make<TdxActivityIndicator>(*paButtom, TdxActivityIndicatorStyle::ElasticCircle);
    dxActivityIndicator2->SetBounds(clientWidth - 35, -2, 35, 35);
    dxActivityIndicator2->SetAnchors(akRight | akBottom);
    dxActivityIndicator2->SetColor(kIndicatorBlue);
    dxActivityIndicator2->SetArcThickness(1);
    dxActivityIndicator2->SetParentBackground(true);
  }

  dxActivityIndicator1 =
      Make<TdxActivityIndicator>(*this, TdxActivityIndicatorStyle::HorizontalDots);
  dxActivityIndicator1->SetBounds(0, 0, clientWidth - 17, 10);
  dxActivityIndicator1->SetAnchors(akLeft | akTop | akRight);
  dxActivityIndicator1->SetColor(kIndicatorBlue);
}

void TfrmMain::FormCreate() {
  DevTools->SetWidth(0);
  pnlLogo->SetAlign(TAlign::alClient);

  showIndicator = true;
  ScreenWmin = 1038;
  ScreenHmin = 735;

  FWindow = Handle();
  const UINT dpi = Dpi();
  SetWindowPos(FWindow, nullptr, 0, 0, Scale(kDesignWidth, dpi), Scale(kDesignHeight, dpi),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CenterOnScreen();

  FClosingChildren = false;
  FClosingMainForm = false;
  FCanClose = false;
  FCriticalSection = std::make_unique<std::mutex>();

  ChromiumQuirel->SetDefaultUrl(HomePageUrl());
  ChromiumQuirel->Options().BackgroundColor = 0xFFFFFFFF;

  int32_t major = 0, minor = 0, release = 0, build = 0;
  GetExeVersion(ExecutableFullPath(), major, minor, release, build);
  AppVersion = FormatDisplayVersion(major, minor);
  AppFullVersion = FormatFullVersion(major, minor, release, build);
  hlVersione->SetCaption(L"Versione: " + AppVersion);

  update::dmUpdate = std::make_shared<update::TdmUpdate>(*this);
}

void TfrmMain::FormShow() {
  if (ChromiumQuirel->CreateBrowser(CEFWindowParent1)) FBrowserRequested = true;
  else TimerStart.SetEnabled(true);
  if (update::dmUpdate) update::dmUpdate->VerificaAggiornamenti(true);
}

void TfrmMain::FormDestroy() {
  // The prepared popup window belongs to the application's forms and goes with them.
  FCriticalSection.reset();
}

void TfrmMain::FormConstrainedResize(MINMAXINFO& info) {
  info.ptMinTrackSize.x = Scale(ScreenWmin, Dpi());
  info.ptMinTrackSize.y = Scale(ScreenHmin, Dpi());
}

void TfrmMain::TimerStartTimer() {
  TimerStart.SetEnabled(false);
  if (FClosingMainForm) return;
  if (ChromiumQuirel->CreateBrowser(CEFWindowParent1)) FBrowserRequested = true;
  else if (!ChromiumQuirel->Initialized()) TimerStart.SetEnabled(true);
}

// --- The bottom bar. ---

void TfrmMain::buBackClick() { ChromiumQuirel->GoBack(); }
void TfrmMain::buForwardClick() { ChromiumQuirel->GoForward(); }
void TfrmMain::buReloadClick() { ChromiumQuirel->Reload(); }

void TfrmMain::buHomeClick() {
  showIndicator = true;
  pnlLogo->Show();
  ChromiumQuirel->LoadURL(ChromiumQuirel->DefaultUrl());
}

void TfrmMain::buHomeMouseUp(TMouseButton button, TShiftState shift, int, int) {
  const TShiftState modifiers = shift & (ssShift | ssCtrl | ssAlt);
  if (button != kDebugButton || modifiers != kDebugModifiers) return;
  if (pnlLogo->Visible()) return;
  pnlDebug->Show();
  paButtom->Invalidate();
}

void TfrmMain::buDevToolsClick() {
  if (DevTools->Visible()) CloseDevToolsPane();
  else OpenDevToolsPane(kNoInspectPoint);
}

void TfrmMain::OpenDevToolsPane(POINT point) {
  SplitterDevTools->Show();
  DevTools->Show();
  RECT window{};
  GetWindowRect(FWindow, &window);
  DevTools->SetWidth(MulDiv(window.right - window.left, 96, static_cast<int>(Dpi())) / 4);
  ChromiumQuirel->ShowDevTools(point, DevTools);
}

void TfrmMain::CloseDevToolsPane() {
  ChromiumQuirel->CloseDevTools(DevTools);
  SplitterDevTools->Hide();
  DevTools->Hide();
  DevTools->SetWidth(0);
}

void TfrmMain::GoBtnClick() { ChromiumQuirel->LoadURL(AddressEdt->Text()); }

// --- Popup windows. ---

void TfrmMain::PrepareChildForm() {
  FChildForm = Application->CreateForm<TfrmChildForm>(*this);
}

void TfrmMain::BrowserCreated() {
  if (FClosingMainForm) {
    // The window was asked to close before its browser existed: close that browser now.
    CloseBrowserOnce();
    return;
  }
  {
    std::lock_guard lock(*FCriticalSection);
    PrepareChildForm();
  }
  AddressPnl->Hide();
}

bool TfrmMain::CreateClientHandler(TCefWindowInfo& windowInfo, CefRef<cef_client_t>& client,
                                   const std::wstring& targetFrameName,
                                   const TCefPopupFeatures& popupFeatures) {
  std::mutex* section = FCriticalSection.get();
  if (!section) return false;
  std::lock_guard lock(*section);
  try {
    if (FChildForm &&
        FChildForm->CreateClientHandler(windowInfo, client, targetFrameName, popupFeatures))
      return PostMessageW(FWindow, UM_SHOW_PREPARED_POPUP, 0, 0) != 0;
  } catch (...) {
    // Runs for the engine's popup request: nothing may reach the engine, and the popup then
    // opens with the opener's client as it would without a prepared window.
    ReportDroppedError(L"TfrmMain.CreateClientHandler");
  }
  return false;
}

void TfrmMain::ShowPreparedPopup() {
  TfrmChildForm* popup = nullptr;
  std::exception_ptr failure;
  {
    std::lock_guard lock(*FCriticalSection);
    popup = FChildForm;
    try {
      PrepareChildForm();
    } catch (const std::exception&) {
      failure = std::current_exception();
    }
  }
  // Shown outside the lock: showing takes the focus from the browser's window, which waits for
  // the engine's UI thread, and that thread may be waiting for the lock with the next popup.
  // The window taken out is handed nothing more.
  try {
    if (popup) {
      popup->ApplyPopupFeatures();
      // Its initial window state; the features gave its normal place and size.
      popup->Show(SW_SHOWMAXIMIZED);
    }
    if (failure) std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
  }
}

int TfrmMain::PopupChildCount() const {
  int count = 0;
  for (const TfrmChildForm* form : TfrmChildForm::Instances())
    if (form->ClientInitialized()) ++count;
  return count;
}

void TfrmMain::ClosePopupWindows() {
  for (TfrmChildForm* form : TfrmChildForm::Instances())
    if (form->ClientInitialized() && !form->Closing() && form->HandleAllocated())
      PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
}

// --- Browser events (engine's UI thread). ---

void TfrmMain::ChromiumQuirelAfterCreated(TChromiumCore&, cef_browser_t*) {
  PostMessageW(FWindow, UM_BROWSER_CREATED, 0, 0);
}

void TfrmMain::ChromiumQuirelBeforePopup(TChromiumCore&, cef_browser_t*, cef_frame_t*,
                                         const std::wstring& targetUrl,
                                         const std::wstring& targetFrameName,
                                         cef_window_open_disposition_t targetDisposition, bool,
                                         const TCefPopupFeatures& popupFeatures,
                                         TCefWindowInfo& windowInfo, CefRef<cef_client_t>& client,
                                         TCefBrowserSettings&, CefRef<cef_dictionary_value_t>&,
                                         bool&, bool& Result) {
  switch (targetDisposition) {
    case WOD_NEW_FOREGROUND_TAB:
      // Opens in the program Windows associates with the address, normally the web browser.
      ShellExecuteW(nullptr, L"open", targetUrl.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      Result = true;
      break;
    case WOD_NEW_BACKGROUND_TAB:
    case WOD_NEW_POPUP:
    case WOD_NEW_WINDOW:
      Result = !CreateClientHandler(windowInfo, client, targetFrameName, popupFeatures);
      break;
    default:
      Result = false;
  }
}

void TfrmMain::ChromiumQuirelBeforeBrowse(TChromiumCore&, cef_browser_t*, cef_frame_t*,
                                          cef_request_t* request, bool, bool, bool& Result) {
  std::wstring url;
  if (request) url = CefUserFreeString(request->get_url(request)).str();
  showIndicator = !ContainsNoCase(url, L"wp-admin");
  Result = false;
}

void TfrmMain::ChromiumQuirelLoadingProgressChange(TChromiumCore&, cef_browser_t*,
                                                   double progress) {
  const bool loading = progress < 1.0;
  WPARAM indicators = 0;
  if (showIndicator && loading) indicators |= kTopIndicator;
  if (loading) indicators |= kBarIndicator;
  PostMessageW(FWindow, UM_SHOW_LOADING, indicators, 0);
}

void TfrmMain::ChromiumQuirelLoadingStateChange(TChromiumCore&, cef_browser_t*, bool, bool,
                                                bool) {}

void TfrmMain::ChromiumQuirelLoadEnd(TChromiumCore&, cef_browser_t*, cef_frame_t*, int) {
  PostMessageW(FWindow, UM_LOAD_ENDED, 0, 0);
}

void TfrmMain::ChromiumQuirelBeforeContextMenu(TChromiumCore&, cef_browser_t*, cef_frame_t*,
                                               cef_context_menu_params_t*,
                                               cef_menu_model_t* model) {
  if (model) model->clear(model);
}

void TfrmMain::ChromiumQuirelBeforeDownload(TChromiumCore&, cef_browser_t*, cef_download_item_t*,
                                            const std::wstring&,
                                            cef_before_download_callback_t* callback) {
  // No target: the engine asks the user where to save.
  if (callback) callback->cont(callback, CefStringArg(L""), 1);
}

void TfrmMain::ChromiumQuirelClose(TChromiumCore&, cef_browser_t*,
                                   TCefCloseBrowserAction& aAction) {
  PostMessageW(FWindow, UM_DESTROY_BROWSER_HOST, 0, 0);
  aAction = cbaDelay;
}

void TfrmMain::ChromiumQuirelBeforeClose(TChromiumCore&, cef_browser_t*) {
  FCanClose = true;
  PostMessageW(FWindow, WM_CLOSE, 0, 0);
}

void TfrmMain::ShowLoading(WPARAM indicators) {
  const bool top = indicators & kTopIndicator, bar = indicators & kBarIndicator;
  dxActivityIndicator1->SetVisible(top);
  dxActivityIndicator1->SetActive(top);
  dxActivityIndicator2->SetVisible(bar);
  dxActivityIndicator2->SetActive(bar);
}

// --- Close sequence. ---

bool TfrmMain::CloseQuery() {
  // Whoever may keep the program running (automation clients) is asked before anything is
  // closed, so that a refusal leaves the window as it was, browser and popups included.
  if (!FClosingChildren && Application && !Application->QueryTerminate()) return false;
  // An installer download under way (the main window disabled, its loop below this call on the
  // stack) stops at once, so that the close can go on once it has unwound.
  if (update::dmUpdate) update::dmUpdate->CancelDownload();
  FClosingChildren = true;
  Hide();
  if (PopupChildCount() > 0) {
    ClosePopupWindows();
    return false;
  }

  bool canClose = FCanClose;
  if (FClosingMainForm) return canClose;
  FClosingMainForm = true;
  Hide();
  TimerStart.SetEnabled(false);
  if (ChromiumQuirel->Initialized()) {
    CloseBrowserOnce();
  } else if (!FBrowserRequested) {
    // No browser was ever accepted, so no close events will come: close at once.
    FCanClose = canClose = true;
  }
  // A browser requested but not announced yet is closed when it is (BrowserCreated).
  update::dmUpdate.reset();
  return canClose;
}

LRESULT TfrmMain::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam && !FShown) {
        FShown = true;
        const LRESULT result = TBrowserForm::WndProc(message, wParam, lParam);
        FormShow();
        return result;
      }
      break;
    case WM_GETMINMAXINFO: {
      const LRESULT result = TBrowserForm::WndProc(message, wParam, lParam);
      FormConstrainedResize(*reinterpret_cast<MINMAXINFO*>(lParam));
      return result;
    }
    case WM_ENDSESSION:
      // The process may end once this returns, before an installer download under way has
      // unwound: its partial file goes now.
      if (wParam && update::dmUpdate) update::dmUpdate->AbandonDownload();
      break;
    case UM_BROWSER_CREATED:
      BrowserCreated();
      return 0;
    case UM_SHOW_PREPARED_POPUP:
      ShowPreparedPopup();
      return 0;
    case UM_POPUP_DESTROYED:
      if (FClosingChildren && PopupChildCount() == 0) Close();
      return 0;
    case UM_SHOW_LOADING:
      ShowLoading(wParam);
      return 0;
    case UM_LOAD_ENDED:
      pnlLogo->Hide();
      return 0;
  }
  return TBrowserForm::WndProc(message, wParam, lParam);
}

}  // namespace quirel
