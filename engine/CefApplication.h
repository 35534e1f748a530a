// The engine application object of a desktop program: adds the treatment of the UI layer's
// hidden windows in sub-processes and the per-window DPI reading.
#pragma once

#include <memory>

#include "engine/CefApplicationCore.h"

namespace quirel {

class TCefApplication;

// The program's one engine application object (the same object as GlobalCEFApp).
extern TCefApplication* EngineApp;

class TCefApplication : public TCefApplicationCore {
 public:
  TCefApplication();
  ~TCefApplication() override;

  void PrepareSubProcess() override;
  float UpdateDeviceScaleFactor() override;

  bool DestroyApplicationObject = false;
  bool DestroyAppWindows = true;
};

// Clears EngineApp, then destroys the object (which shuts the engine down).
void FreeEngineApp(std::unique_ptr<TCefApplication>& app);

}  // namespace quirel
