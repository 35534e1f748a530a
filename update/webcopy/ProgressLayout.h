// Where the progress window's controls go, in 96-DPI pixels.
#pragma once

namespace quirel::webcopy {

struct TProgressLayoutOptions {
  bool ShowFileName = true;
  bool ShowTime = false;
  bool ShowElapsedTime = false;
  bool ShowCancel = true;
  bool ShowOpenFile = false;
  bool ShowOpenFolder = false;
};

struct TControlRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const TControlRect&) const = default;
};

struct TProgressLayout {
  int Width = 0;       // of the whole window
  int BodyHeight = 0;  // of the whole window, less the system's caption height
  TControlRect Anim, Progress, FileLbl, SizeLbl, RateLbl, TimeLbl, ElapsedTimeLbl;
  TControlRect CancelBtn, ShowFolderBtn, ShowFileBtn;
};

constexpr int kClipWidth = 272;
constexpr int kClipHeight = 60;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kLabelHeight = 15;

TProgressLayout LayoutProgressForm(const TProgressLayoutOptions& options);

}  // namespace quirel::webcopy
