// A top-level window owned by the UI application object. Subclasses handle messages by
// overriding WndProc and chaining to the base. Created on the main thread only.
#pragma once

#include <windows.h>

#include <string>

namespace quirel::kit {

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

class TForm {
 public:
  explicit TForm(std::wstring caption);
  virtual ~TForm();
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

  HWND handle_ = nullptr;
  std::wstring caption_;
};

}  // namespace quirel::kit
