#include "update/UpdateModule.h"

#include <shellapi.h>

#include <thread>

#include "common/DroppedError.h"
#include "common/Errors.h"
#include "common/Globals.h"
#include "common/Log.h"
#include "ui/kit/Application.h"
#include "ui/kit/Synchronize.h"
#include "update/UpdateAnswer.h"

namespace quirel::update {

std::shared_ptr<TdmUpdate> dmUpdate;

namespace {

constexpr wchar_t kOfflineText[] = L"Non connesso a Internet, impossibile verificare aggiornamenti.";

// The part of a URL after its last "/" (all of it without one).
std::wstring LastUrlPart(const std::wstring& url) {
  const size_t slash = url.rfind(L'/');
  return slash == std::wstring::npos ? url : url.substr(slash + 1);
}

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

TdmUpdate::TdmUpdate(kit::TForm& frmMain) : frmMain_(frmMain) { DataModuleCreate(); }

TdmUpdate::~TdmUpdate() { DataModuleDestroy(); }

void TdmUpdate::DataModuleCreate() {
  DirUpdateApp = GetAppDataFolder() + L"Quirel" + L"\\";

  tdAggiornamenti.Title = L"Aggiornamento Programma";
  tdAggiornamenti.Instruction = L"Abbiamo aggiornato Quirel e reso disponibile l'ultima versione.";
  tdAggiornamenti.CustomButtons = {L"Aggiorna subito (consigliata)",
                                   L"Rimanda ad un secondo momento"};
  tdAggiornamenti.DefaultButton = 100;
  tdAggiornamenti.Icon = TTaskDialogIcon::tiInformation;
  tdAggiornamenti.Options = {TTaskDialogOption::doHyperlinks, TTaskDialogOption::doCommandLinks};
  tdAggiornamenti.AutoClose = true;
  tdAggiornamenti.AutoCloseTimeOut = 0;
  tdAggiornamenti.DialogPosition = TTaskDialogPosition::dpOwnerFormCenter;
  tdAggiornamenti.NonNativeDialog = TNonNativeDialog::nndAuto;

  WebCopy.Agent = L"WebCopy";
  WebCopy.DlgCancel = L"Annulla";
  WebCopy.DlgCompleted = L"completato";
  WebCopy.DlgFileLabel = L"File:";
  WebCopy.DlgFromServerLabel = L"da";
  WebCopy.DlgProgressLabel = L"Avanzamento:";
  WebCopy.DlgFileOfLabel = L"di";
  WebCopy.DlgRateLabel = L"Velocit\u00E0 di trasferimento:";
  WebCopy.DlgTimeLabel = L"Tempo stimato alla fine:";
  WebCopy.DlgElapsedTimeLabel = L"Rimane ancora:";
  WebCopy.DlgTimeSec = L"sec";
  WebCopy.DlgTimeMin = L"minuti";
  WebCopy.DlgClose = L"Chiudi";
  WebCopy.DlgOpenFile = L"Installa";
  WebCopy.DlgOpenFolder = L"Apri cartella";
  WebCopy.DlgToServerLabel = L"a";
  WebCopy.DlgCopying = L"Copia";
  WebCopy.DlgUpload = L"Caricamento";
  WebCopy.ShowCompletion = true;
  WebCopy.Timeout = 0;
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
  if (!IsInternetConnected()) {
    if (!FCheckSilente) MessageBoxW(FOwnerWindow, kOfflineText, L"Quirel", MB_ICONINFORMATION);
    return;
  }
  std::wstring firstLine;
  TUpdateAnswer answer;
  NewExeUrl.clear();
  try {
    idHttp.UserAgent = kUserAgent;
    const std::wstring url = UpdateCheckUrl + L"localver=" + AppFullVersion;
    answer = ParseUpdateAnswer(idHttp.Get(url));
    firstLine = answer.FirstLine;
    if (answer.MissingLine)
      throw Exception(L"List index out of bounds (" + std::to_wstring(answer.MissingLine) + L")");
  } catch (const std::exception& e) {
    AddLog(kCheckErrorPrefix + ExceptionMessage(e));
  }
  FExeNewVer = firstLine == L"SI";
  FInstallerNameValid = false;
  if (!FExeNewVer) return;
  NewExeUrl = UpdateDownloadUrl + answer.FileName;
  // The answer is not authenticated: a name with path parts could make the download write
  // anywhere, so such an installer is not offered.
  FInstallerNameValid = IsPlainFileName(answer.FileName);
  if (!FInstallerNameValid)
    AddLog(kCheckErrorPrefix + std::wstring(L"invalid installer file name \"") + answer.FileName +
           L"\"");
}

void TdmUpdate::UpdateCheckDone(TUpdateExeThread&) {
  // Released by the main window while the check ran: the window is closing, offer nothing.
  if (dmUpdate.get() != this) return;
  if (!FExeNewVer || !FInstallerNameValid) return;
  tdAggiornamenti.NonNativeMinFormWidth = 450;
  tdAggiornamenti.ModalParent = frmMain_.Handle();
  if (tdAggiornamenti.Execute() == 100) DownloadUpdate();
}

void TdmUpdate::MakeUpdate() {
  FFileName.clear();
  DownloadUpdate();
}

void TdmUpdate::DownloadUpdate() {
  try {
    const std::wstring targetName = LastUrlPart(NewExeUrl);
    if (!IsPlainFileName(targetName) && !targetName.empty())
      throw Exception(L"invalid installer file name \"" + targetName + L"\"");
    WebCopy.DlgCaption = L"Aggiornamento Quirel";
    WebCopy.DlgDwnload = WebCopy.DlgCaption + L" in corso ...";
    WebCopy.Items.Clear();
    TWebCopyItem& item = WebCopy.Items.Add();
    item.URL = NewExeUrl;
    item.Protocol = webcopy::wpHttp;
    item.CopyNewerOnly = false;
    item.TargetDir = DirUpdateApp;
    item.TargetFilename = targetName;
    WebCopy.ShowDialogOnTop = true;
    WebCopy.ShowOpenFile = false;
    WebCopy.ShowOpenFolder = false;
    WebCopy.Timeout = 900;
    HWND mainWindow = frmMain_.Handle();
    EnableWindow(mainWindow, FALSE);
    struct EnableAgain {
      HWND window;
      ~EnableAgain() { EnableWindow(window, TRUE); }
    } enableAgain{mainWindow};
    FFileName = DirUpdateApp + WebCopy.Items[0].TargetFilename;
    WebCopy.Execute();
  } catch (const std::exception& e) {
    AddLog(ExceptionMessage(e));
  }
}

void TdmUpdate::WebCopyCopyDone() {
  if (FFileName.empty() || WebCopy.Items.Count() == 0 || !WebCopy.Items[0].Success()) return;
  if (kit::Application) kit::Application->Terminate();
  ShellExecuteW(nullptr, L"open", FFileName.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TdmUpdate::WebCopyErrorInfo(int, const std::wstring& ErrorInfo) { AddLog(ErrorInfo); }

void TdmUpdate::WebCopyFileDone(int) {}

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
      // Nothing of a check may end the program; AggiornaEseguibile logs what it can.
      ReportDroppedError(L"TUpdateExeThread.Execute");
    }
  }
  try {
    try {
      kit::Synchronize([this] { module_->UpdateCheckDone(*this); });
    } catch (const std::exception& e) {
      AddLog(ExceptionMessage(e));
    }
  } catch (...) {
    // Nothing may leave the thread, not even a log that cannot be written.
    ReportDroppedError(L"TUpdateExeThread.Execute");
  }
  // The last reference may be this one: let the module go on the main thread when it can.
  std::shared_ptr<TdmUpdate> module = std::move(module_);
  if (!kit::Synchronize([&module] { module.reset(); })) module.reset();
}

}  // namespace quirel::update
