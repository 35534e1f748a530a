#include "ui/kit/StdControls.h"

#include <vector>

namespace quirel::kit {

TEdit::TEdit(TContainer& parent, std::wstring text) : TWinControl(parent), text_(std::move(text)) {
  SetBounds(0, 0, 121, 21);
}

HWND TEdit::CreateWindowHandle(HWND parent) {
  return CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text_.c_str(),
                         WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

std::wstring TEdit::Text() {
  if (!HandleAllocated()) return text_;
  const int length = GetWindowTextLengthW(Handle());
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  GetWindowTextW(Handle(), buffer.data(), length + 1);
  return std::wstring(buffer.data());
}

void TEdit::SetText(std::wstring text) {
  text_ = std::move(text);
  if (HandleAllocated()) SetWindowTextW(Handle(), text_.c_str());
}

TButton::TButton(TContainer& parent, std::wstring caption) : TWinControl(parent), caption_(std::move(caption)) {
  SetBounds(0, 0, 75, 25);
}

HWND TButton::CreateWindowHandle(HWND parent) {
  return CreateWindowExW(0, L"BUTTON", caption_.c_str(), WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                         parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void TButton::SetCaption(std::wstring caption) {
  caption_ = std::move(caption);
  if (HandleAllocated()) SetWindowTextW(Handle(), caption_.c_str());
}

void TButton::Command(WORD code) {
  if (code == BN_CLICKED) Click();
}

}  // namespace quirel::kit
