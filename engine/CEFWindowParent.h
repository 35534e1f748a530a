// The host control of a browser: a windowed control whose first child window is the
// browser's (or the developer tools') native window. It keeps that child as large as its
// client area and passes the keyboard focus on to it.
#pragma once

#include <windows.h>

#include <string>

#include "ui/kit/WinControl.h"

namespace quirel {

class TCEFWinControl : public kit::TWinControl {
 public:
  explicit TCEFWinControl(kit::TContainer& parent, std::wstring name = L"");

  // The control's name, given to the developer tools' window shown inside it.
  const std::wstring& Name() const { return FName; }
  void SetName(std::wstring name) { FName = std::move(name); }

  // The first child of the control's window; null while there is no window.
  HWND ChildWindowHandle() const;
  // Places the child at (0, 0) with the control's client size.
  void UpdateSize();
  // Creates the control's window now.
  void CreateHandle() { (void)Handle(); }
  bool DestroyChildWindow();
  void InvalidateChildren();

 private:
  std::wstring FName;
};

class TCEFWindowParent : public TCEFWinControl {
 public:
  explicit TCEFWindowParent(kit::TContainer& parent, std::wstring name = L"");

  // Whether the control takes a key the form's keyboard navigation would otherwise use:
  // every key but Return, Escape and the arrows.
  bool WantsSpecialKey(WPARAM virtualKey) const;

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace quirel
