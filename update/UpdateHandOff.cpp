// The hand-off to the downloaded installer.
#include <windows.h>
#include <shellapi.h>

#include "ui/kit/Application.h"
#include "update/UpdateModule.h"

namespace quirel::update {

// Main thread, at the end of the download (the progress window closed).
void TdmUpdate::WebCopyCopyDone() {
  if (FFileName.empty() || WebCopy.Items.Count() == 0 || !WebCopy.Items[0].Success()) return;
  // The program ends at the next turn of its message loop; the installer replaces it.
  if (kit::Application) kit::Application->Terminate();
  ShellExecuteW(nullptr, L"open", FFileName.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace quirel::update
