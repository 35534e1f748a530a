#include "update/webcopy/ProgressLayout.h"

namespace quirel::webcopy {

TProgressLayout LayoutProgressForm(const TProgressLayoutOptions& options) {
  TProgressLayout l;
  l.Width = 300;
  const int extra = (options.ShowTime ? 20 : 0) + (options.ShowElapsedTime ? 20 : 0);
  const int row = options.ShowFileName ? 80 : 60;
  l.BodyHeight = extra + 188 - (options.ShowCancel ? 0 : 20);

  const int inner = l.Width - 20;
  l.Anim = {10, 0, kClipWidth, kClipHeight};
  l.Progress = {10, 60, inner, 12};
  l.FileLbl = {10, 80, inner, kLabelHeight};
  l.SizeLbl = {10, row + 20, inner, kLabelHeight};
  l.RateLbl = {10, row + 40, inner, kLabelHeight};
  l.TimeLbl = {10, row + 60, inner, kLabelHeight};
  l.ElapsedTimeLbl = {10, row + 80, inner, kLabelHeight};

  const int buttonTop = extra + (options.ShowFileName ? 140 : 120);
  l.CancelBtn = {l.Width - kButtonWidth - 10, buttonTop, kButtonWidth, kButtonHeight};
  l.ShowFolderBtn = {l.Width - 2 * kButtonWidth - 20, buttonTop, kButtonWidth, kButtonHeight};
  l.ShowFileBtn = l.ShowFolderBtn;
  if (options.ShowOpenFolder) l.ShowFileBtn.Left -= kButtonWidth + 10;
  return l;
}

}  // namespace quirel::webcopy
