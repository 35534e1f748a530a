// The transfer's progress window: animation, bar, file, size, rate and time lines, and the
// cancel / open buttons. Not modal; the transfer's wait lets its messages run.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "ui/kit/Form.h"
#include "update/webcopy/ProgressLayout.h"
#include "update/webcopy/ProgressView.h"

namespace quirel::webcopy {

// Control ids, for code (and tests) that look at the window from outside.
enum TProgressControlId : int {
  idAnim = 1001,
  idProgress = 1002,
  idFileLbl = 1003,
  idSizeLbl = 1004,
  idRateLbl = 1005,
  idTimeLbl = 1006,
  idElapsedTimeLbl = 1007,
  idCancelBtn = IDCANCEL,
  idBtnShowFolder = 1010,
  idBtnShowFile = 1011,
};

// The AVI resource of the executable the animation plays.
constexpr int kTransferClipResource = 257;

struct TProgressFormOptions {
  TProgressLayoutOptions Layout;
  bool ShowDialogOnTop = true;
  bool AlwaysOnTop = false;
  bool ShowCloseBtn = false;
  std::wstring Caption;
  std::wstring FileLabel;
  std::wstring ProgressLabel;
  std::wstring RateLabel;
  std::wstring TimeLabel;
  std::wstring ElapsedTimeLabel;
  std::wstring Cancel;
  std::wstring OpenFile;
  std::wstring OpenFolder;
};

class TWebCopyProgressForm : public kit::TForm {
 public:
  explicit TWebCopyProgressForm(TProgressFormOptions options);
  ~TWebCopyProgressForm() override;

  // Creates the window and its controls, sized and centred, still hidden.
  void Build();

  std::function<void()> OnCancelClick;
  std::function<void()> OnOpenFileClick;
  std::function<void()> OnOpenFolderClick;
  // Runs every kRefreshIntervalMs while the window exists and its thread lets messages run:
  // the transfer shows its latest block at the display's pace, not after every block.
  std::function<void()> OnRefresh;
  static constexpr UINT kRefreshIntervalMs = 50;

  // Whether a request to close (keyboard, close button, Close) is granted.
  void SetCloseAllowed(bool allowed) { closeAllowed_ = allowed; }

  void SetFileLine(const std::wstring& text);
  // The bar as an endless marquee while the total is unknown.
  void SetMarquee(bool marquee);
  void ShowProgress(const TProgressView& view);
  // The end with open buttons: the cancel button becomes `closeCaption`, the animation stops
  // and the open buttons are enabled when asked.
  void ShowEnd(const std::wstring& closeCaption, bool enableOpenButtons);

  // A control of the window, 0 before Build or after the window has gone.
  HWND Control(int id) const;

 protected:
  DWORD Style() const override;
  DWORD ExStyle() const override;
  HWND OwnerWindow() const override;
  bool CloseQuery() override;
  void DoClose(kit::TCloseAction& action) override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
  };
  using TFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

  HWND AddControl(const wchar_t* className, const std::wstring& text, DWORD style, int id, bool visible);
  void ApplyLayout(UINT dpi);
  void SetControlText(int id, const std::wstring& text);

  const TProgressFormOptions options_;
  const TProgressLayout layout_;
  bool closeAllowed_ = false;
  bool marquee_ = false;
  TFont font_;
};

}  // namespace quirel::webcopy
