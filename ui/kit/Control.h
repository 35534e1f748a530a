// Controls placed the Delphi way inside forms and panels. A TControl is drawn by the window
// of its container (labels, pictures, speed buttons, splitters: no window of their own, so
// they are transparent for free); a TWinControl owns a child window and hosts controls
// itself. Containers own their controls: create them with Make<T>(parent, ...).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "ui/kit/Color.h"
#include "ui/kit/Font.h"
#include "ui/kit/Layout.h"

namespace quirel::kit {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftKind : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = unsigned;
using TNotifyEvent = std::function<void()>;
using TMouseEvent = std::function<void(TMouseButton button, TShiftState shift, int x, int y)>;

// The keys and buttons held, as a mouse message's wParam and the keyboard tell them.
TShiftState ShiftStateOf(WPARAM mouseKeys);

class TContainer;

class TControl {
 public:
  explicit TControl(TContainer& parent);
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  TContainer& Parent() const { return parent_; }

  // Placement, in 96-DPI pixels relative to the parent's client area.
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors);
  const TMargins& Margins() const { return margins_; }
  void SetMargins(const TMargins& margins);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so is every container up to the window.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Where the last layout put the control, in device pixels of the parent's client area.
  const RECT& BoundsRect() const { return rect_; }
  int ClientWidth() const { return rect_.right - rect_.left; }
  int ClientHeight() const { return rect_.bottom - rect_.top; }
  UINT Dpi() const;
  // A length in 96-DPI pixels at the control's density.
  int ScaleValue(int pixels96) const;

  // The parent's font unless one was set.
  const TFont& Font() const;
  void SetFont(const TFont& font);
  bool ParentFont() const { return !font_.has_value(); }

  void Invalidate();
  // Last among its siblings: drawn over them and hit first.
  void BringToFront();

  TNotifyEvent OnClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

  virtual bool Windowed() const { return false; }
  // Drawn by the parent, clipped to the control; (0, 0) is the control's top left corner.
  virtual void Paint(HDC dc, const RECT& client) { (void)dc, (void)client; }
  // Controls that size themselves to their content: the size wanted, in 96-DPI pixels.
  virtual std::optional<SIZE> AutoSizeExtent() const { return std::nullopt; }
  virtual HCURSOR Cursor() const { return nullptr; }

  // Mouse input in control coordinates; graphic controls receive it from their parent.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y) { (void)shift, (void)x, (void)y; }
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  virtual void Click();

 protected:
  // Asks the parent to lay its controls out again.
  void RequestAlign();
  virtual void BoundsChanged() {}
  virtual void VisibleChanged();
  virtual void EnabledChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }
  // The density changed (the window moved to another screen): fonts, pictures.
  virtual void DpiChanged() { FontChanged(); }
  // Takes the laid-out rectangle.
  virtual void Place(const RECT& rect);
  void SetRect(const RECT& rect) { rect_ = rect; }

 private:
  friend class TContainer;

  TContainer& parent_;
  TAlign align_ = TAlign::alNone;
  TAnchors anchors_ = kDefaultAnchors;
  TMargins margins_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  RECT rect_{};
  std::optional<TFont> font_;
};

// Anything that hosts controls: a form or a windowed control.
class TContainer {
 public:
  TContainer() = default;
  virtual ~TContainer();
  TContainer(const TContainer&) = delete;
  TContainer& operator=(const TContainer&) = delete;

  const std::vector<std::unique_ptr<TControl>>& Controls() const { return controls_; }
  void InsertControl(std::unique_ptr<TControl> control);
  // Destroys one of the controls (and its window) at once; the others are laid out again.
  void FreeControl(TControl* control);

  // The container's window, or null while it has none.
  virtual HWND ContainerHandle() const = 0;
  // The window, created now if need be.
  virtual HWND CreateContainerHandle() = 0;
  virtual UINT ContainerDpi() const = 0;
  virtual const TFont& ContainerFont() const = 0;
  virtual TColor BackgroundColor() const = 0;
  virtual bool ContainerShowing() const = 0;
  // The part of the client area the aligned controls share.
  virtual RECT ContentRect() const;
  // The client size, in 96-DPI pixels, that unaligned controls' bounds were given for.
  SIZE DesignSize96() const { return designSize_ ? *designSize_ : DefaultDesignSize96(); }
  void SetDesignSize96(SIZE size) { designSize_ = size; }

  // Lays the controls out in the client area; nothing while there is no window.
  void Realign();
  // Paints background, own content and graphic controls of `area` (client coordinates).
  void PaintArea(HDC dc, const RECT& area);

  // Holds the layout back while many controls change, and lays out once at the end.
  class AlignLock {
   public:
    explicit AlignLock(TContainer& container) : container_(container) { ++container_.alignLock_; }
    ~AlignLock() {
      if (--container_.alignLock_ == 0) container_.Realign();
    }
    AlignLock(const AlignLock&) = delete;
    AlignLock& operator=(const AlignLock&) = delete;

   private:
    TContainer& container_;
  };

 protected:
  // Without a design size given: the current client size.
  virtual SIZE DefaultDesignSize96() const;
  virtual void PaintBackground(HDC dc, const RECT& area);
  // Between the background and the graphic controls (a panel's line, an indicator's frame).
  virtual void PaintContent(HDC dc, const RECT& area) { (void)dc, (void)area; }
  void DestroyControls();
  // The window exists now: windowed controls create theirs.
  void CreateChildHandles();
  void NotifyDpiChanged();
  void BufferedPaint(HWND window);
  // Paint, mouse routing to graphic controls, cursor and child notifications; true when the
  // message was handled and `result` is the answer.
  bool ContainerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  friend class TControl;
  friend class TWinControl;

 private:
  TControl* GraphicAt(POINT point) const;

  std::vector<std::unique_ptr<TControl>> controls_;
  std::optional<SIZE> designSize_;
  int alignLock_ = 0;
  TControl* captured_ = nullptr;
  TControl* hover_ = nullptr;
};

// Creates a control owned by `parent`; the pointer stays valid as long as the parent.
template <typename T, typename... Args>
T* Make(TContainer& parent, Args&&... args) {
  auto control = std::make_unique<T>(parent, std::forward<Args>(args)...);
  T* raw = control.get();
  parent.InsertControl(std::move(control));
  return raw;
}

}  // namespace quirel::kit
