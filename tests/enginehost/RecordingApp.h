// An application object whose start-up errors are recorded instead of shown.
#pragma once

#include <string>
#include <vector>

#include "EngineTree.h"
#include "engine/CefApplicationCore.h"

namespace quirel::test {

class RecordingApp : public TCefApplicationCore {
 public:
  RecordingApp() { ShowMessageDlg = false; }
  void ReportStartupError(const std::wstring& message) override { messages.push_back(message); }

  // The three engine folders in `tree`, as start-up sets them.
  void UseFolders(const EngineTree& tree) {
    SetFrameworkDirPath(tree.folder());
    SetResourcesDirPath(tree.folder());
    SetLocalesDirPath(tree.locales());
  }

  std::vector<std::wstring> messages;
};

}  // namespace quirel::test
