// The update module: asks the update service on a worker thread whether a newer installer
// exists (UpdateCheck), offers it (UpdatePrompt), downloads it with a progress window
// (UpdateDownload) and hands over to it (UpdateHandOff). The module holds the components and
// the state that these steps share.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

#include "ui/kit/Form.h"
#include "update/TaskDialog.h"
#include "update/UpdateCheck.h"
#include "update/https/HttpsClient.h"
#include "update/webcopy/WebCopy.h"

namespace quirel::update {

using webcopy::TWebCopy;
using webcopy::TWebCopyItem;

class TdmUpdate : public std::enable_shared_from_this<TdmUpdate> {
 public:
  // The prefix of every error the check logs.
  static constexpr wchar_t kCheckErrorPrefix[] = L"Errore TdmUpdateApp.AggiornaEseguibile: ";
  static constexpr wchar_t kUserAgent[] =
      L"Mozilla/5.0 (Windows NT 6.1; WOW64; rv:12.0) Gecko/20100101 Firefox/12.0";

  // frmMain: the main window, owner of the messages and the prompt, disabled while the
  // installer downloads. It must outlive the module's use of it (see UpdateCheckDone).
  explicit TdmUpdate(kit::TForm& frmMain);  // hold it in a shared_ptr: checks share it
  ~TdmUpdate();
  TdmUpdate(const TdmUpdate&) = delete;
  TdmUpdate& operator=(const TdmUpdate&) = delete;

  TWebCopy WebCopy;
  TAdvTaskDialog tdAggiornamenti;
  THttpsClient idHttp;

  // Starts a check and returns at once; a newer version is offered when it ends.
  void VerificaAggiornamenti(bool Silent);
  void UpdateExe();
  // Downloads NewExeUrl again, without asking.
  void MakeUpdate();
  // End handler of the check thread, on the main thread while the worker waits.
  void UpdateCheckDone(TUpdateExeThread& Sender);
  // Main thread: a running download stops at once (its file deleted, no hand-off); for a close
  // or end-of-session request that reaches the program meanwhile.
  void CancelDownload();
  // Main thread: the session ends; a running download's partial file is gone when this returns.
  void AbandonDownload();

  const std::wstring& FileName() const { return FFileName; }
  bool ExeNewVer() const { return FExeNewVer; }

  // Download folder of the installer, with trailing backslash.
  std::wstring DirUpdateApp;

 private:
  friend class TUpdateExeThread;

  void DataModuleCreate();
  void DataModuleDestroy();
  // The check's thread.
  void AggiornaEseguibile();
  void DownloadUpdate();
  void WebCopyCopyDone();
  void WebCopyErrorInfo(int ErrorCode, const std::wstring& ErrorInfo);
  void WebCopyFileDone(int FileIndex);

  kit::TForm& frmMain_;
  std::wstring FFileName;
  bool FExeNewVer = false;
  bool FCheckSilente = false;
  // The answer named an installer that may be written to the download folder.
  bool FInstallerNameValid = false;
  std::mutex FCriticalSection;
  // Main thread: the installer's download is under way.
  bool FDownloading = false;
  // The main window's handle, taken on the main thread for the worker's message box.
  HWND FOwnerWindow = nullptr;
};

// The program's update module. The main window creates it and releases it in its close
// sequence; a running check keeps its own reference, so the module outlives the main window's
// release until the check has ended, and then offers nothing.
extern std::shared_ptr<TdmUpdate> dmUpdate;

}  // namespace quirel::update
