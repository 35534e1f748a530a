// A control with a child window of its own, hosting controls in turn. By default the window
// is of the kit's own class; subclasses may wrap any child window instead (a system control,
// the browser's host window) by overriding CreateWindowHandle, and are aligned all the same.
#pragma once

#include "ui/kit/Control.h"

namespace quirel::kit {

class TWinControl : public TControl, public TContainer {
 public:
  explicit TWinControl(TContainer& parent);
  ~TWinControl() override;

  // The window, created (with the parent's) on first use.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  static TWinControl* FromHandle(HWND window);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // Draws the parent's background under its own content instead of filling with Color.
  bool ParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool value);

  bool Windowed() const override { return true; }
  HWND ContainerHandle() const override { return handle_; }
  UINT ContainerDpi() const override { return Dpi(); }
  const TFont& ContainerFont() const override { return Font(); }
  TColor BackgroundColor() const override { return color_; }
  bool ContainerShowing() const override { return Showing(); }
  HWND CreateContainerHandle() override { return Handle(); }

 protected:
  // Creates the window as a child of `parent`; the default is the kit's own class.
  virtual HWND CreateWindowHandle(HWND parent);
  // Messages of the window; chain to the base for what is not handled.
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
  // A WM_COMMAND notification the window sent its parent (system controls).
  virtual void Command(WORD code) { (void)code; }
  // The window exists (and its children's are being created).
  virtual void HandleCreated() {}

  SIZE DefaultDesignSize96() const override;
  void PaintBackground(HDC dc, const RECT& area) override;
  void Place(const RECT& rect) override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void FontChanged() override;

 private:
  friend class TContainer;
  void NotifyDpiChanged() { TContainer::NotifyDpiChanged(); }
  void Attach(HWND window);
  static LRESULT CALLBACK OwnClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);

  HWND handle_ = nullptr;
  bool subclassed_ = false;
  TColor color_ = clBtnFace;
  bool parentBackground_ = false;
};

}  // namespace quirel::kit
