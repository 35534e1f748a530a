#include "BarForm.h"

namespace quirel::test {

using namespace kit;

namespace {

TSpeedButton* BarButton(TContainer& parent, const wchar_t* picture) {
  auto* button = Make<TSpeedButton>(parent);
  button->SetAlign(TAlign::alLeft);
  button->SetBounds(0, 0, 24, 25);
  button->SetMargins({2, 2, 2, 2});
  button->SetGlyphResource(picture);
  return button;
}

}  // namespace

TBarForm::TBarForm() : TForm(L"Quirel kit") {
  constexpr int kWidth = 800, kHeight = 500;
  SetDesignClientSize(kWidth, kHeight);
  SetColor(clWhite);
  TContainer::AlignLock lock(*this);

  CEFWindowParent1 = Make<THostWindow>(*this);
  CEFWindowParent1->SetAlign(TAlign::alClient);
  CEFWindowParent1->SetColor(0xF4EEE8);

  // The pane first: of two right-aligned controls the first lies outermost.
  DevTools = Make<TPanel>(*this);
  DevTools->SetAlign(TAlign::alRight);
  DevTools->SetWidth(150);
  DevTools->SetColor(0xEEEEEE);
  SplitterDevTools = Make<TSplitter>(*this);
  SplitterDevTools->SetAlign(TAlign::alRight);
  SplitterDevTools->SetWidth(5);

  pnlLogo = Make<TPanel>(*this);
  pnlLogo->SetAlign(TAlign::alClient);
  pnlLogo->SetColor(clWhite);
  LogoImage = Make<TImage>(*pnlLogo);
  LogoImage->SetAlign(TAlign::alClient);
  LogoImage->SetPictureResource(L"LOGO");

  paButtom = Make<TPanel>(*this);
  paButtom->SetAlign(TAlign::alBottom);
  paButtom->SetBounds(0, kHeight - 30, kWidth, 30);
  paButtom->SetColor(clWhite);
  paButtom->SetTopLine(true);
  {
    TContainer::AlignLock barLock(*paButtom);
    Bevel2 = Make<TBevel>(*paButtom);
    Bevel2->SetAlign(TAlign::alLeft);
    Bevel2->SetWidth(8);
    pnlDebug = Make<TPanel>(*paButtom);
    pnlDebug->SetAlign(TAlign::alLeft);
    pnlDebug->SetAutoSize(true);
    pnlDebug->SetColor(clWhite);
    pnlDebug->Hide();
    buDevTools = BarButton(*pnlDebug, L"DEVTOOLS");
    buBack = BarButton(*paButtom, L"BACK");
    buForward = BarButton(*paButtom, L"FORWARD");
    buReload = BarButton(*paButtom, L"RELOAD");
    buHome = BarButton(*paButtom, L"HOME");
    buMenu = BarButton(*paButtom, L"MENU");
    buMenu->Hide();
    hlVersione = Make<TLabel>(*paButtom, L"Versione: 1.1");
    hlVersione->SetAlign(TAlign::alLeft);
    hlVersione->SetWidth(200);
    TFont bold;
    bold.Bold = true;
    bold.Color = clMaroon;
    hlVersione->SetFont(bold);
    hlVersione->SetLayout(TTextLayout::tlCenter);
    AddressPnl = Make<TPanel>(*paButtom);
    AddressPnl->SetAlign(TAlign::alLeft);
    AddressPnl->SetWidth(300);
    AddressPnl->Hide();
    AddressPnl->SetEnabled(false);
    AddressEdt = Make<TEdit>(*AddressPnl, L"https://localhost/Quirel/");
    AddressEdt->SetAlign(TAlign::alClient);
    GoBtn = Make<TButton>(*AddressPnl, L"Go");
    GoBtn->SetAlign(TAlign::alRight);
    GoBtn->SetWidth(40);
    dxActivityIndicator2 = Make<TdxActivityIndicator>(*paButtom, TdxActivityIndicatorStyle::ElasticCircle);
    dxActivityIndicator2->SetBounds(kWidth - 35, -2, 35, 35);
    dxActivityIndicator2->SetAnchors(akRight | akBottom);
    dxActivityIndicator2->SetColor(0x0079BA);
    dxActivityIndicator2->SetArcThickness(1);
  }

  dxActivityIndicator1 = Make<TdxActivityIndicator>(*this, TdxActivityIndicatorStyle::HorizontalDots);
  dxActivityIndicator1->SetBounds(0, 0, kWidth - 17, 10);
  dxActivityIndicator1->SetAnchors(akLeft | akTop | akRight);
  dxActivityIndicator1->SetColor(0x0079BA);
}

}  // namespace quirel::test
