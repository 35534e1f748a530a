#include "update/TaskDialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include "common/Globals.h"
#include "ui/kit/Application.h"
#include "update/MessageForm.h"

namespace quirel::update {
namespace {

using TaskDialogIndirectFn = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

class Library {
 public:
  explicit Library(const wchar_t* name) : module_(LoadLibraryW(name)) {}
  ~Library() {
    if (module_) FreeLibrary(module_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

DWORD WindowsMajorVersion() {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  auto rtlGetVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void (*)()>(
                                   GetProcAddress(ntdll, "RtlGetVersion")))
                             : nullptr;
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (rtlGetVersion && rtlGetVersion(&info) == 0) return info.dwMajorVersion;
  return 0;
}

PCWSTR SystemIcon(TTaskDialogIcon icon) {
  switch (icon) {
    case TTaskDialogIcon::tiWarning:
      return TD_WARNING_ICON;
    case TTaskDialogIcon::tiQuestion:
      return IDI_QUESTION;
    case TTaskDialogIcon::tiError:
      return TD_ERROR_ICON;
    case TTaskDialogIcon::tiInformation:
      return TD_INFORMATION_ICON;
    case TTaskDialogIcon::tiShield:
      return TD_SHIELD_ICON;
    case TTaskDialogIcon::tiBlank:
      break;
  }
  return nullptr;
}

const wchar_t* TextOrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

int CommonControlsMajorVersion() {
  Library comctl(L"comctl32.dll");
  if (!comctl.get()) return 0;
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(comctl.get(), path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 0;
  int32_t major = 0, minor = 0, release = 0, build = 0;
  GetExeVersion(path, major, minor, release, build);
  // Only version 6 has task dialogs; some builds of it (Wine's side-by-side copy) carry an
  // older number in their version resource.
  if (major < 6 && GetProcAddress(comctl.get(), "TaskDialogIndirect")) major = 6;
  return major;
}

uint32_t TAdvTaskDialog::Flags() const {
  uint32_t flags = 0;
  auto has = [this](TTaskDialogOption option) { return Options.count(option) != 0; };
  if (has(TTaskDialogOption::doHyperlinks)) flags |= TDF_ENABLE_HYPERLINKS;
  if (!CustomButtons.empty()) {
    if (has(TTaskDialogOption::doCommandLinks)) flags |= TDF_USE_COMMAND_LINKS;
    if (has(TTaskDialogOption::doCommandLinksNoIcon)) flags |= TDF_USE_COMMAND_LINKS_NO_ICON;
  }
  if (has(TTaskDialogOption::doAllowDialogCancel)) flags |= TDF_ALLOW_DIALOG_CANCELLATION;
  if (has(TTaskDialogOption::doExpandedDefault)) flags |= TDF_EXPANDED_BY_DEFAULT;
  if (has(TTaskDialogOption::doExpandedFooter)) flags |= TDF_EXPAND_FOOTER_AREA;
  if (has(TTaskDialogOption::doAllowMinimize)) flags |= TDF_CAN_BE_MINIMIZED;
  if (has(TTaskDialogOption::doVerifyChecked)) flags |= TDF_VERIFICATION_FLAG_CHECKED;
  if (has(TTaskDialogOption::doProgressBar)) flags |= TDF_SHOW_PROGRESS_BAR;
  if (has(TTaskDialogOption::doProgressBarMarquee)) flags |= TDF_SHOW_MARQUEE_PROGRESS_BAR;
  if (AutoClose) flags |= TDF_CALLBACK_TIMER;
  if (DialogPosition == TTaskDialogPosition::dpOwnerFormCenter)
    flags |= TDF_POSITION_RELATIVE_TO_WINDOW;
  return flags;
}

bool TAdvTaskDialog::UsesFallback() const {
  return WindowsMajorVersion() < 6 || CommonControlsMajorVersion() < 6 ||
         NonNativeDialog != TNonNativeDialog::nndAuto;
}

HWND TAdvTaskDialog::OwnerWindow() const {
  if (ModalParent) return ModalParent;
  if (kit::Application) {
    if (kit::TForm* active = kit::Application->ActiveForm()) return active->Handle();
    return kit::Application->Handle();
  }
  return nullptr;
}

int TAdvTaskDialog::Execute() {
  autoCloseCounter_ = 0;
  if (UsesFallback()) {
    TAdvMessageForm form(*this);
    return form.ShowModal();
  }
  return ExecuteNative();
}

int TAdvTaskDialog::ExecuteNative() {
  Library comctl(L"comctl32.dll");
  if (!comctl.get()) return -1;
  auto taskDialogIndirect = reinterpret_cast<TaskDialogIndirectFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(comctl.get(), "TaskDialogIndirect")));
  if (!taskDialogIndirect) return -1;

  std::vector<TASKDIALOG_BUTTON> buttons;
  for (size_t i = 0; i < CustomButtons.size(); ++i)
    buttons.push_back({kCustomButtonBase + static_cast<int>(i), CustomButtons[i].c_str()});
  std::vector<TASKDIALOG_BUTTON> radios;
  for (size_t i = 0; i < RadioButtons.size(); ++i)
    radios.push_back({kRadioButtonBase + static_cast<int>(i), RadioButtons[i].c_str()});

  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = OwnerWindow();
  config.hInstance = GetModuleHandleW(nullptr);
  config.dwFlags = Flags();
  config.dwCommonButtons = CommonButtons;
  config.pszWindowTitle = TextOrNull(Title);
  config.pszMainIcon = SystemIcon(Icon);
  config.pszMainInstruction = TextOrNull(Instruction);
  config.pszContent = TextOrNull(Content);
  config.cButtons = static_cast<UINT>(buttons.size());
  config.pButtons = buttons.empty() ? nullptr : buttons.data();
  config.nDefaultButton = DefaultButton;
  config.cRadioButtons = static_cast<UINT>(radios.size());
  config.pRadioButtons = radios.empty() ? nullptr : radios.data();
  config.pszVerificationText = TextOrNull(VerificationText);
  config.pszExpandedInformation = TextOrNull(ExpandedText);
  config.pszFooter = TextOrNull(Footer);
  config.pfCallback = &TAdvTaskDialog::Callback;
  config.lpCallbackData = reinterpret_cast<LONG_PTR>(this);

  int button = 0;
  if (FAILED(taskDialogIndirect(&config, &button, nullptr, nullptr))) return 0;
  return button;
}

HRESULT CALLBACK TAdvTaskDialog::Callback(HWND dialog, UINT notification, WPARAM, LPARAM lParam,
                                          LONG_PTR data) {
  auto* self = reinterpret_cast<TAdvTaskDialog*>(data);
  switch (notification) {
    case TDN_TIMER:
      self->autoCloseCounter_ += kTimerStepMs;
      if (self->AutoCloseTimeOut > 0 && self->autoCloseCounter_ > self->AutoCloseTimeOut)
        PostMessageW(dialog, TDM_CLICK_BUTTON, static_cast<WPARAM>(self->DefaultButton), 0);
      break;
    case TDN_HYPERLINK_CLICKED:
      ShellExecuteW(dialog, L"open", reinterpret_cast<const wchar_t*>(lParam), nullptr, nullptr,
                    SW_SHOWNORMAL);
      break;
    default:
      break;
  }
  return S_OK;
}

}  // namespace quirel::update
