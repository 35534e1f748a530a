#include "update/UpdateModule.h"

#include "common/Globals.h"
#include "update/UpdateDownload.h"
#include "update/UpdatePrompt.h"

namespace quirel::update {

std::shared_ptr<TdmUpdate> dmUpdate;

TdmUpdate::TdmUpdate(kit::TForm& frmMain) : frmMain_(frmMain) { DataModuleCreate(); }

TdmUpdate::~TdmUpdate() { DataModuleDestroy(); }

void TdmUpdate::DataModuleCreate() {
  DirUpdateApp = GetAppDataFolder() + L"Quirel" + L"\\";
  ConfigureUpdatePrompt(tdAggiornamenti);
  ConfigureInstallerDownload(WebCopy);
  WebCopy.OnCopyDone = [this](TWebCopy&) { WebCopyCopyDone(); };
  WebCopy.OnErrorInfo = [this](TWebCopy&, int code, const std::wstring& info) {
    WebCopyErrorInfo(code, info);
  };
  WebCopy.OnFileDone = [this](TWebCopy&, int index) { WebCopyFileDone(index); };
}

void TdmUpdate::DataModuleDestroy() {}

void TdmUpdate::VerificaAggiornamenti(bool Silent) {
  FCheckSilente = Silent;
  UpdateExe();
}

void TdmUpdate::UpdateExe() {
  FOwnerWindow = frmMain_.HandleAllocated() ? frmMain_.Handle() : nullptr;
  TUpdateExeThread::Start(shared_from_this());
}

void TdmUpdate::AggiornaEseguibile() {
  const TUpdateCheckResult result = CheckForUpdate(idHttp, FCheckSilente, FOwnerWindow);
  // A check that reached nothing keeps what an earlier one found.
  if (!result.Connected) return;
  FExeNewVer = result.NewVersion;
  NewExeUrl = result.InstallerUrl;
  FInstallerNameValid = result.InstallerNameValid;
}

void TdmUpdate::MakeUpdate() {
  FFileName.clear();
  DownloadUpdate();
}

}  // namespace quirel::update
