// The program's main window until the browser windows exist: a plain window that reads the
// program's version and runs the update check the main window runs when it is shown.
#pragma once

#include "ui/kit/Form.h"

namespace quirel {

class TPlainMainForm : public kit::TForm {
 public:
  TPlainMainForm();
  ~TPlainMainForm() override;

 protected:
  bool CloseQuery() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool FShown = false;
};

}  // namespace quirel
