#include "ui/ChildForm.h"

#include <algorithm>

#include "engine/ChromiumOptions.h"
#include "ui/BottomBar.h"
#include "ui/WindowMessages.h"
#include "ui/kit/Application.h"
#include "ui/kit/Dpi.h"

namespace quirel {

using namespace kit;

namespace {

std::vector<TfrmChildForm*>& Registry() {
  static std::vector<TfrmChildForm*> forms;
  return forms;
}

constexpr int kMinimumPopupSize = 100;

}  // namespace

const std::vector<TfrmChildForm*>& TfrmChildForm::Instances() { return Registry(); }

TfrmChildForm::TfrmChildForm(TForm& owner) : TBrowserForm(L"Popup"), FOwner(owner) {
  Registry().push_back(this);
  SetColor(clBtnFace);
  SetDesignClientSize(1118, 632);

  Chromium1 = std::make_unique<TChromium>(this);
  // Only these events: the popup keeps the engine's own context menu and downloads.
  Chromium1->OnTitleChange = [this](auto&&... a) { Chromium1TitleChange(a...); };
  Chromium1->OnBeforePopup = [this](auto&&... a) { Chromium1BeforePopup(a...); };
  Chromium1->OnAfterCreated = [this](auto&&... a) { Chromium1AfterCreated(a...); };
  Chromium1->OnClose = [this](auto&&... a) { Chromium1Close(a...); };
  Chromium1->OnBeforeClose = [this](auto&&... a) { Chromium1BeforeClose(a...); };

  {
    TContainer::AlignLock lock(*this);
    CEFWindowParent1 = Make<TCEFWindowParent>(*this);
    CEFWindowParent1->SetAlign(TAlign::alClient);

    paButtom = MakeBottomBar(*this, 1118, 632);
    TContainer::AlignLock barLock(*paButtom);
    Bevel2 = MakeBarSpacer(*paButtom);
    buBack = MakeBarButton(*paButtom, L"BACK");
    buBack->Hide();
    buBack->OnClick = [this] { buHomeClick(); };
    buHome = MakeBarButton(*paButtom, L"HOME");
    buHome->OnClick = [this] { buHomeClick(); };
    hlVersione = MakeVersionLabel(*paButtom);
    AddressPnl = Make<TPanel>(*paButtom);
    AddressPnl->SetAlign(TAlign::alRight);
    AddressPnl->Hide();
    AddressPnl->SetEnabled(false);
  }
  FormCreate();
  AfterConstruction();
}

TfrmChildForm::~TfrmChildForm() {
  FormDestroy();
  auto& forms = Registry();
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

void TfrmChildForm::FormCreate() {
  FCanClose = false;
  FClosing = false;
  FClientInitialized = false;
}

void TfrmChildForm::AfterConstruction() {
  // Both windows must exist, made on this thread, before the engine's UI thread asks for
  // them during a hand-off; the window stays hidden.
  FWindow = Handle();
  CEFWindowParent1->CreateHandle();
  CenterOnScreen();
}

void TfrmChildForm::FormDestroy() {
  if (FClientInitialized && FOwner.HandleAllocated())
    PostMessageW(FOwner.Handle(), UM_POPUP_DESTROYED, 0, 0);
}

HWND TfrmChildForm::OwnerWindow() const {
  return FOwner.HandleAllocated() ? const_cast<TForm&>(FOwner).Handle() : TForm::OwnerWindow();
}

bool TfrmChildForm::CreateClientHandler(TCefWindowInfo& windowInfo, CefRef<cef_client_t>& client,
                                        const std::wstring& targetFrameName,
                                        const TCefPopupFeatures& popupFeatures) {
  (void)targetFrameName;
  if (!CEFWindowParent1->HandleAllocated()) return false;
  if (!Chromium1->CreateClientHandler(client, false)) return false;

  FClientInitialized = true;
  FPopupFeatures = popupFeatures;

  HWND host = CEFWindowParent1->Handle();
  RECT rect{};
  GetClientRect(host, &rect);
  if (popupFeatures.widthSet) rect.right = std::max(popupFeatures.width, kMinimumPopupSize);
  if (popupFeatures.heightSet) rect.bottom = std::max(popupFeatures.height, kMinimumPopupSize);

  // Exactly as the component fills its own: a child of the host control.
  FillChildWindowInfo(windowInfo, host, rect, L"", 0);
  return true;
}

void TfrmChildForm::ApplyPopupFeatures() {
  if (FPopupFeatures.xSet) Chromium1->SetFormLeftTo(FPopupFeatures.x);
  if (FPopupFeatures.ySet) Chromium1->SetFormTopTo(FPopupFeatures.y);
  if (FPopupFeatures.widthSet) Chromium1->ResizeFormWidthTo(FPopupFeatures.width);
  if (FPopupFeatures.heightSet) Chromium1->ResizeFormHeightTo(FPopupFeatures.height);
}

void TfrmChildForm::buHomeClick() { Close(); }

void TfrmChildForm::Chromium1TitleChange(TChromiumCore&, cef_browser_t*,
                                         const std::wstring& title) {
  {
    std::lock_guard lock(FTitleLock);
    FTitle = title;
  }
  PostMessageW(FWindow, UM_TITLE_CHANGED, 0, 0);
}

void TfrmChildForm::ShowTitle() {
  std::wstring title;
  {
    std::lock_guard lock(FTitleLock);
    title = FTitle;
  }
  SetCaption(std::move(title));
}

void TfrmChildForm::Chromium1BeforePopup(TChromiumCore&, cef_browser_t*, cef_frame_t*,
                                         const std::wstring&, const std::wstring& targetFrameName,
                                         cef_window_open_disposition_t targetDisposition, bool,
                                         const TCefPopupFeatures& popupFeatures,
                                         TCefWindowInfo& windowInfo, CefRef<cef_client_t>& client,
                                         TCefBrowserSettings&, CefRef<cef_dictionary_value_t>&,
                                         bool&, bool& Result) {
  switch (targetDisposition) {
    case WOD_NEW_FOREGROUND_TAB:
    case WOD_NEW_BACKGROUND_TAB:
    case WOD_NEW_POPUP:
    case WOD_NEW_WINDOW:
      // This window's component serves its own browser already, so this always refuses:
      // a popup window never opens another window.
      Result = !CreateClientHandler(windowInfo, client, targetFrameName, popupFeatures);
      break;
    default:
      Result = false;
  }
}

void TfrmChildForm::Chromium1AfterCreated(TChromiumCore&, cef_browser_t*) {
  PostMessageW(FWindow, UM_BROWSER_CREATED, 0, 0);
}

void TfrmChildForm::Chromium1Close(TChromiumCore&, cef_browser_t*,
                                   TCefCloseBrowserAction& aAction) {
  PostMessageW(FWindow, UM_DESTROY_BROWSER_HOST, 0, 0);
  aAction = cbaDelay;
}

void TfrmChildForm::Chromium1BeforeClose(TChromiumCore&, cef_browser_t*) {
  FCanClose = true;
  PostMessageW(FWindow, WM_CLOSE, 0, 0);
}

bool TfrmChildForm::CloseQuery() {
  const bool canClose = FCanClose;
  if (!FClosing) {
    FClosing = true;
    Hide();
    // Shown before the engine announced its browser, the window is closed when it does: freed
    // now, it would take the host control the browser is being made in.
    if (Chromium1->Initialized()) CloseBrowserOnce();
  }
  return canClose;
}

void TfrmChildForm::DoClose(TCloseAction& action) { action = TCloseAction::caFree; }

LRESULT TfrmChildForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETMINMAXINFO: {
      // A page may ask for a window as small as the smallest popup client area; the
      // system's minimum tracking size would keep it larger.
      const LRESULT result = TBrowserForm::WndProc(message, wParam, lParam);
      RECT outer{0, 0, Scale(kMinimumPopupSize, Dpi()), Scale(kMinimumPopupSize, Dpi())};
      AdjustWindowRectEx(&outer, GetWindowLongW(Handle(), GWL_STYLE), FALSE,
                         GetWindowLongW(Handle(), GWL_EXSTYLE));
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = {outer.right - outer.left, outer.bottom - outer.top};
      return result;
    }
    case UM_TITLE_CHANGED:
      ShowTitle();
      return 0;
    case UM_BROWSER_CREATED:
      if (FClosing) CloseBrowserOnce();
      return 0;
  }
  return TBrowserForm::WndProc(message, wParam, lParam);
}

}  // namespace quirel
