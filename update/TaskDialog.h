// A task dialog: the system's TaskDialogIndirect where the platform has it, otherwise a
// window of our own with the same texts and command buttons.
#pragma once

#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace quirel::update {

enum class TTaskDialogIcon { tiBlank, tiWarning, tiQuestion, tiError, tiInformation, tiShield };

enum class TTaskDialogOption {
  doHyperlinks,
  doCommandLinks,
  doCommandLinksNoIcon,
  doExpandedDefault,
  doExpandedFooter,
  doAllowMinimize,
  doVerifyChecked,
  doProgressBar,
  doProgressBarMarquee,
  doAllowDialogCancel,
};

enum class TTaskDialogPosition { dpScreenCenter, dpOwnerFormCenter };

enum class TNonNativeDialog { nndAuto, nndAlways };

// The common buttons, as the system's TDCBF_* flags.
enum TCommonButton : uint32_t {
  cbOK = 0x1,
  cbYes = 0x2,
  cbNo = 0x4,
  cbCancel = 0x8,
  cbRetry = 0x10,
  cbClose = 0x20,
};

class TAdvTaskDialog {
 public:
  // Ids of the custom buttons and radio buttons: the base plus the index in the list.
  static constexpr int kCustomButtonBase = 100;
  static constexpr int kRadioButtonBase = 200;
  // How often the component counts AutoClose time.
  static constexpr int kTimerStepMs = 200;

  std::wstring Title;
  std::wstring Instruction;
  std::wstring Content;
  std::wstring Footer;
  std::wstring ExpandedText;
  std::wstring VerificationText;
  std::vector<std::wstring> CustomButtons;
  uint32_t CommonButtons = 0;
  std::vector<std::wstring> RadioButtons;
  int DefaultButton = 0;
  TTaskDialogIcon Icon = TTaskDialogIcon::tiBlank;
  std::set<TTaskDialogOption> Options;
  bool AutoClose = false;
  int AutoCloseTimeOut = 0;  // milliseconds; 0 never closes
  TTaskDialogPosition DialogPosition = TTaskDialogPosition::dpScreenCenter;
  TNonNativeDialog NonNativeDialog = TNonNativeDialog::nndAuto;
  int NonNativeMinFormWidth = 0;  // 96-DPI pixels
  HWND ModalParent = nullptr;

  // Modal; the id of the button that closed the dialog, -1 when the system's dialog cannot be
  // loaded, 0 when it fails.
  int Execute();

  // The TDF_* flags this configuration gives the system's dialog.
  uint32_t Flags() const;
  // Whether Execute shows the window of our own instead of the system's dialog.
  bool UsesFallback() const;
  // The owner Execute gives the dialog.
  HWND OwnerWindow() const;

 private:
  static HRESULT CALLBACK Callback(HWND dialog, UINT notification, WPARAM wParam, LPARAM lParam,
                                   LONG_PTR data);
  int ExecuteNative();

  int autoCloseCounter_ = 0;
};

// The major version of the comctl32 the process uses (the one its manifest selects).
// A library that offers task dialogs counts as version 6.
int CommonControlsMajorVersion();

}  // namespace quirel::update
