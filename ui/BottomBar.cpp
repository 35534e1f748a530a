#include "ui/BottomBar.h"

namespace quirel {

using namespace kit;

TPanel* MakeBottomBar(TContainer& parent, int clientWidth, int clientHeight) {
  auto* bar = Make<TPanel>(parent);
  bar->SetAlign(TAlign::alBottom);
  bar->SetBounds(0, clientHeight - 30, clientWidth, 30);
  bar->SetColor(clWhite);
  bar->SetTopLine(true);  // Bevel3
  return bar;
}

TBevel* MakeBarSpacer(TPanel& bar) {
  auto* spacer = Make<TBevel>(bar);
  spacer->SetAlign(TAlign::alLeft);
  spacer->SetWidth(8);
  return spacer;
}

TSpeedButton* MakeBarButton(TContainer& parent, const wchar_t* picture) {
  auto* button = Make<TSpeedButton>(parent);
  button->SetAlign(TAlign::alLeft);
  button->SetBounds(0, 0, 24, 25);
  button->SetMargins({2, 2, 2, 2});
  button->SetGlyphResource(picture);
  return button;
}

TLabel* MakeVersionLabel(TPanel& bar) {
  auto* label = Make<TLabel>(bar, L"");
  label->SetAlign(TAlign::alLeft);
  label->SetWidth(200);
  TFont bold;
  bold.Bold = true;
  bold.Color = clMaroon;
  label->SetFont(bold);
  label->SetLayout(TTextLayout::tlCenter);
  label->SetTransparent(true);
  return label;
}

}  // namespace quirel
