// A top-level window owned by the UI application object. Subclasses handle messages by
// overriding WndProc and chaining to the base. Created on the main thread only.
// A form hosts controls in its client area (see Control.h): they are laid out again when the
// window is sized or moves to a screen of another density.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ui/kit/Control.h"

namespace quirel::kit {

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

constexpr TColor clWindow = 0x80000000u | COLOR_WINDOW;

class TForm : public TContainer {
 public:
  explicit TForm(std::wstring caption);
  ~TForm() override;
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  HWND Handle();  // creates the window on first use
  bool HandleAllocated() const { return handle_ != nullptr; }
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring caption);

  void Show(int showCommand = SW_SHOWNORMAL);
  void Hide();
  bool Visible() const;
  // Asks the window to close, as the user's close button does.
  void Close();
  // Places the window in the middle of its monitor's work area.
  void CenterOnScreen();

  // Background of the client area. A form that hosts no controls and was given no colour
  // leaves its painting to the window class, as plain forms always did.
  TColor Color() const { return color_.value_or(clWindow); }
  void SetColor(TColor color);
  // The controls' font unless they set their own; Tahoma 8 pt.
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  // The density the window is laid out for: the window's at creation, then what
  // WM_DPICHANGED says.
  UINT Dpi() const { return dpi_; }
  // The client size (96-DPI pixels) the controls were designed for; the window is created
  // with it when given before the window exists.
  void SetDesignClientSize(int width, int height);

  HWND ContainerHandle() const override { return handle_; }
  HWND CreateContainerHandle() override { return Handle(); }
  UINT ContainerDpi() const override { return dpi_; }
  const TFont& ContainerFont() const override { return font_; }
  TColor BackgroundColor() const override { return Color(); }
  bool ContainerShowing() const override { return Visible(); }

 protected:
  // Window class style and creation parameters of subclasses.
  virtual DWORD Style() const { return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN; }
  virtual DWORD ExStyle() const { return WS_EX_APPWINDOW; }
  virtual HWND OwnerWindow() const;
  // WM_CLOSE: CloseQuery may refuse; DoClose picks what happens to the window.
  virtual bool CloseQuery() { return true; }
  virtual void DoClose(TCloseAction& action) { (void)action; }
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateHandle();
  void HandleClose();
  void ApplyDpi(UINT dpi, const RECT* suggested);
  bool PaintsItself() const { return color_.has_value() || !Controls().empty(); }

  HWND handle_ = nullptr;
  std::wstring caption_;
  std::optional<TColor> color_;
  TFont font_;
  UINT dpi_ = 96;
  std::optional<SIZE> designClient_;
};

}  // namespace quirel::kit
