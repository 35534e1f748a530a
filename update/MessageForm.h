// The task dialog's own window, for systems without the native one: the same title, icon,
// instruction, content and buttons, modal over the dialog's owner.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quirel::update {

class TAdvTaskDialog;

class TAdvMessageForm {
 public:
  explicit TAdvMessageForm(const TAdvTaskDialog& dialog);
  ~TAdvMessageForm();
  TAdvMessageForm(const TAdvMessageForm&) = delete;
  TAdvMessageForm& operator=(const TAdvMessageForm&) = delete;

  // Runs until a button closes the window; its id (0 when the message loop was told to quit).
  int ShowModal();

  static constexpr wchar_t kWindowClass[] = L"QuirelTaskMessage";
  // Control ids of the texts and the icon.
  static constexpr int kInstructionId = 0x3E0;
  static constexpr int kContentId = 0x3E1;
  static constexpr int kIconId = 0x3E2;
  static constexpr UINT_PTR kAutoCloseTimer = 1;

 private:
  struct Button {
    int id;
    std::wstring text;
    bool commandLink;
  };

  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  bool CanCancel() const;
  void Finish(int id);

  const TAdvTaskDialog& dialog_;
  std::vector<Button> buttons_;
  HWND owner_ = nullptr;
  HWND handle_ = nullptr;
  HFONT font_ = nullptr;
  HFONT instructionFont_ = nullptr;
  HICON icon_ = nullptr;  // shared system icon, not destroyed
  int autoCloseCounter_ = 0;
  int result_ = 0;
  bool done_ = false;
};

}  // namespace quirel::update
