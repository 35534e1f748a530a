// The system's edit box and push button as kit controls.
#pragma once

#include <string>

#include "ui/kit/WinControl.h"

namespace quirel::kit {

class TEdit : public TWinControl {
 public:
  explicit TEdit(TContainer& parent, std::wstring text = {});
  std::wstring Text();
  void SetText(std::wstring text);

 protected:
  HWND CreateWindowHandle(HWND parent) override;

 private:
  std::wstring text_;
};

class TButton : public TWinControl {
 public:
  explicit TButton(TContainer& parent, std::wstring caption = {});
  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring caption);

 protected:
  HWND CreateWindowHandle(HWND parent) override;
  void Command(WORD code) override;

 private:
  std::wstring caption_;
};

}  // namespace quirel::kit
