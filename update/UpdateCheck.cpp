#include "update/UpdateCheck.h"

#include <thread>

#include "common/DroppedError.h"
#include "common/Errors.h"
#include "common/Globals.h"
#include "common/Log.h"
#include "ui/kit/Synchronize.h"
#include "update/UpdateAnswer.h"
#include "update/UpdateModule.h"

namespace quirel::update {
namespace {

constexpr wchar_t kOfflineText[] = L"Non connesso a Internet, impossibile verificare aggiornamenti.";

void NameThisThread(const wchar_t* name) {
  using SetThreadDescriptionFn = HRESULT(WINAPI*)(HANDLE, PCWSTR);
  HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  auto setThreadDescription =
      kernel32 ? reinterpret_cast<SetThreadDescriptionFn>(reinterpret_cast<void (*)()>(
                     GetProcAddress(kernel32, "SetThreadDescription")))
               : nullptr;
  if (setThreadDescription) setThreadDescription(GetCurrentThread(), name);
}

}  // namespace

TUpdateCheckResult CheckForUpdate(THttpsClient& http, bool silent, HWND owner) {
  TUpdateCheckResult result;
  const auto deadline = std::chrono::steady_clock::now() + kUpdateCheckTimeLimit;
  const TProbeResult probe = ProbeInternet(deadline);
  if (probe != TProbeResult::Connected) {
    // Nothing said of a network that is not there; a probe that never ended is a fault.
    if (probe == TProbeResult::TimedOut)
      AddLogBestEffort(TdmUpdate::kCheckErrorPrefix +
                       std::wstring(L"the connectivity probe did not end within ") +
                       std::to_wstring(kUpdateCheckTimeLimit.count()) + L" s");
    if (!silent) MessageBoxW(owner, kOfflineText, L"Quirel", MB_ICONINFORMATION);
    return result;
  }
  result.Connected = true;
  TUpdateAnswer answer;
  try {
    http.UserAgent = TdmUpdate::kUserAgent;
    http.Deadline = deadline;
    answer = ParseUpdateAnswer(http.Get(UpdateCheckUrl + L"localver=" + AppFullVersion));
    result.NewVersion = answer.FirstLine == L"SI";
    if (answer.MissingLine)
      throw Exception(L"List index out of bounds (" + std::to_wstring(answer.MissingLine) + L")");
  } catch (const std::exception& e) {
    AddLogBestEffort(TdmUpdate::kCheckErrorPrefix + ExceptionMessage(e));
  }
  if (!result.NewVersion) return result;
  result.InstallerUrl = UpdateDownloadUrl + answer.FileName;
  // The answer is not authenticated: a name with path parts could make the download write
  // anywhere, so such an installer is not offered.
  result.InstallerNameValid = IsPlainFileName(answer.FileName);
  if (!result.InstallerNameValid)
    AddLogBestEffort(TdmUpdate::kCheckErrorPrefix +
                     std::wstring(L"invalid installer file name \"") + answer.FileName + L"\"");
  return result;
}

void TUpdateExeThread::Start(std::shared_ptr<TdmUpdate> module) {
  auto thread = std::make_unique<TUpdateExeThread>(std::move(module));
  std::thread([self = std::move(thread)] { self->Execute(); }).detach();
}

void TUpdateExeThread::Execute() {
  NameThisThread(L"TUpdateExeThread");
  {
    std::lock_guard lock(module_->FCriticalSection);
    try {
      module_->AggiornaEseguibile();
    } catch (...) {
      // Nothing of a check may end the program; the check logs what it can.
      ReportDroppedError(L"TUpdateExeThread.Execute");
    }
  }
  // Nothing may leave the thread, not even the text of an error.
  try {
    try {
      kit::Synchronize([this] { module_->UpdateCheckDone(*this); });
    } catch (const std::exception& e) {
      AddLogBestEffort(ExceptionMessage(e));
    }
  } catch (...) {
    ReportDroppedError(L"TUpdateExeThread.Execute");
  }
  // The last reference may be this one: let the module go on the main thread when it can.
  std::shared_ptr<TdmUpdate> module = std::move(module_);
  try {
    if (!kit::Synchronize([&module] { module.reset(); })) module.reset();
  } catch (...) {
    ReportDroppedError(L"TUpdateExeThread.Execute");
  }
}

}  // namespace quirel::update
