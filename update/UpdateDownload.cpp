#include "update/UpdateDownload.h"

#include "common/Errors.h"
#include "common/Globals.h"
#include "common/Log.h"
#include "update/UpdateAnswer.h"
#include "update/UpdateModule.h"

namespace quirel::update {
namespace {

// The part of a URL after its last "/" (all of it without one).
std::wstring LastUrlPart(const std::wstring& url) {
  const size_t slash = url.rfind(L'/');
  return slash == std::wstring::npos ? url : url.substr(slash + 1);
}

}  // namespace

void ConfigureInstallerDownload(webcopy::TWebCopy& webCopy) {
  webCopy.Agent = L"WebCopy";
  webCopy.DlgCancel = L"Annulla";
  webCopy.DlgCompleted = L"completato";
  webCopy.DlgFileLabel = L"File:";
  webCopy.DlgFromServerLabel = L"da";
  webCopy.DlgProgressLabel = L"Avanzamento:";
  webCopy.DlgFileOfLabel = L"di";
  webCopy.DlgRateLabel = L"Velocit\u00E0 di trasferimento:";
  webCopy.DlgTimeLabel = L"Tempo stimato alla fine:";
  webCopy.DlgElapsedTimeLabel = L"Rimane ancora:";
  webCopy.DlgTimeSec = L"sec";
  webCopy.DlgTimeMin = L"minuti";
  webCopy.DlgClose = L"Chiudi";
  webCopy.DlgOpenFile = L"Installa";
  webCopy.DlgOpenFolder = L"Apri cartella";
  webCopy.DlgToServerLabel = L"a";
  webCopy.DlgCopying = L"Copia";
  webCopy.DlgUpload = L"Caricamento";
  webCopy.ShowCompletion = true;
  webCopy.Timeout = 0;
}

void PrepareInstallerDownload(webcopy::TWebCopy& webCopy, const std::wstring& url,
                              const std::wstring& folder) {
  const std::wstring targetName = LastUrlPart(url);
  if (!IsPlainFileName(targetName) && !targetName.empty())
    throw Exception(L"invalid installer file name \"" + targetName + L"\"");
  webCopy.DlgCaption = L"Aggiornamento Quirel";
  webCopy.DlgDwnload = webCopy.DlgCaption + L" in corso ...";
  webCopy.Items.Clear();
  webcopy::TWebCopyItem& item = webCopy.Items.Add();
  item.URL = url;
  item.Protocol = webcopy::wpHttp;
  item.CopyNewerOnly = false;
  item.TargetDir = folder;
  item.TargetFilename = targetName;
  webCopy.ShowDialogOnTop = true;
  webCopy.ShowOpenFile = false;
  webCopy.ShowOpenFolder = false;
  webCopy.Timeout = 900;
  webCopy.StallTimeout = kDownloadStallSeconds;
}

// Main thread, inside the check's end handler.
void TdmUpdate::DownloadUpdate() {
  try {
    PrepareInstallerDownload(WebCopy, NewExeUrl, DirUpdateApp);
    HWND mainWindow = frmMain_.Handle();
    EnableWindow(mainWindow, FALSE);
    struct EnableAgain {
      HWND window;
      bool& downloading;
      ~EnableAgain() {
        downloading = false;
        EnableWindow(window, TRUE);
      }
    } enableAgain{mainWindow, FDownloading};
    FFileName = DirUpdateApp + WebCopy.Items[0].TargetFilename;
    FDownloading = true;
    WebCopy.Execute();
  } catch (const std::exception& e) {
    AddLogBestEffort(ExceptionMessage(e));
  }
}

// Main thread: a close or end-of-session request while the download runs.
void TdmUpdate::CancelDownload() {
  if (FDownloading) WebCopy.CancelCopy();
}

void TdmUpdate::AbandonDownload() {
  if (FDownloading) WebCopy.AbandonNow();
}

void TdmUpdate::WebCopyErrorInfo(int, const std::wstring& ErrorInfo) {
  // The download has failed already: a log that cannot be written must not add to that.
  AddLogBestEffort(ErrorInfo);
}

void TdmUpdate::WebCopyFileDone(int) {}

}  // namespace quirel::update
