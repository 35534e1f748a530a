// The update check: whether the update service offers a newer installer than the running one,
// asked on a worker thread of its own.
#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <string>

#include "update/https/HttpsClient.h"

namespace quirel::update {

class TdmUpdate;

// How long a whole check (the connectivity probe and the query) may take, whatever the servers
// trickle: after it the check gives up, logs and lets go of the module.
inline constexpr std::chrono::seconds kUpdateCheckTimeLimit{30};

// What one check found.
struct TUpdateCheckResult {
  bool Connected = false;  // the probe reached the internet and the service; else nothing else holds
  bool NewVersion = false;
  std::wstring InstallerUrl;         // download prefix + the installer's name, when NewVersion
  bool InstallerNameValid = false;  // that name may be written to the download folder
};

// Worker thread. Probes, asks the service and reads its answer; logs what went wrong (never
// throws for a log that cannot be written). When nothing can be reached and the check is not
// silent, tells the user with a message box owned by `owner`.
TUpdateCheckResult CheckForUpdate(THttpsClient& http, bool silent, HWND owner);

// One check on the module; frees itself when it has ended.
class TUpdateExeThread {
 public:
  // Main thread: starts the check on a thread of its own.
  static void Start(std::shared_ptr<TdmUpdate> module);

  explicit TUpdateExeThread(std::shared_ptr<TdmUpdate> module) : module_(std::move(module)) {}

 private:
  // The check's thread.
  void Execute();

  std::shared_ptr<TdmUpdate> module_;
};

}  // namespace quirel::update
