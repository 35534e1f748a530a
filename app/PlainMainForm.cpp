#include "app/PlainMainForm.h"

#include "common/Globals.h"
#include "update/UpdateModule.h"

namespace quirel {

TPlainMainForm::TPlainMainForm() : kit::TForm(L"Quirel") {
  int32_t major = 0, minor = 0, release = 0, build = 0;
  GetExeVersion(ExecutableFullPath(), major, minor, release, build);
  AppVersion = FormatDisplayVersion(major, minor);
  AppFullVersion = FormatFullVersion(major, minor, release, build);
  update::dmUpdate = std::make_shared<update::TdmUpdate>(*this);
}

TPlainMainForm::~TPlainMainForm() { update::dmUpdate.reset(); }

bool TPlainMainForm::CloseQuery() {
  // A check still running keeps the module alive on its own and then offers nothing.
  update::dmUpdate.reset();
  return true;
}

LRESULT TPlainMainForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SHOWWINDOW && wParam && !FShown) {
    FShown = true;
    if (update::dmUpdate) update::dmUpdate->VerificaAggiornamenti(true);
  }
  return kit::TForm::WndProc(message, wParam, lParam);
}

}  // namespace quirel
