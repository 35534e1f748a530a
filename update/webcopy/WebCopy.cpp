#include "update/webcopy/WebCopy.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdint>

#include "common/Errors.h"
#include "update/webcopy/MessagePump.h"

namespace quirel::webcopy {

bool NeedsInternetHandle(const TWebCopyItems& items) {
  for (int i = 0; i < items.Count(); ++i)
    if (items[i].Active && items[i].Protocol != wpFile) return true;
  return false;
}

std::optional<DWORD> InternetTimeoutMs(int seconds) {
  if (seconds <= 0) return std::nullopt;
  return static_cast<DWORD>(std::min<uint64_t>(static_cast<uint64_t>(seconds) * 1000, UINT32_MAX));
}

TWebCopy::~TWebCopy() = default;

TWebCopyProgressForm* TWebCopy::ProgressForm() const {
  return FForm && FForm->HandleAllocated() ? FForm.get() : nullptr;
}

void TWebCopy::Execute() { DoCopy(); }

void TWebCopy::DoCopy() {
  if (FRunning) throw Exception(L"The file transfer is already running");
  for (int i = 0; i < Items.Count(); ++i)
    if (Items[i].Active && Items[i].CopyNewerOnly)
      throw Exception(L"Item " + std::to_wstring(i) + L": copying newer files only is not supported");
  // Destroyed last: a quit request that came meanwhile goes back to the queue at the very end.
  TKeptQuit quit;
  FRunning = true;
  FQuit = &quit;
  struct RunningFlag {
    TWebCopy& copy;
    ~RunningFlag() {
      copy.FRunning = false;
      copy.FQuit = nullptr;
    }
  } running{*this};

  // A window an earlier run left open with its open buttons goes now.
  FForm.reset();
  // Results of an earlier run must not survive into this one, even for skipped items.
  for (int i = 0; i < Items.Count(); ++i) Items[i].success_ = Items[i].cancelled_ = false;
  FCancelIsClose = false;
  FRateStr.clear();
  FTimeLeftStr.clear();
  FElapsedTimeStr.clear();
  FProgress = {};

  try {
    CreateProgressForm();
    FCancelled = false;
    if (NeedsInternetHandle(Items)) OpenInternet();

    FFileNum = 0;
    for (int i = 0; i < Items.Count(); ++i) {
      TWebCopyItem& item = Items[i];
      if (!item.Active) continue;
      ++FFileNum;
      if (OnFileStart) OnFileStart(*this, i);
      SetTransferTitle(item.Protocol);
      // Only HTTP(S) downloads are built; any other kind is not transferred.
      const bool transferred = item.Protocol == wpHttp && CopyHttpItem(item);
      item.success_ = transferred && !FCancelled;
      item.cancelled_ = FCancelled;
      if (FCancelled) break;
      if (OnFileDone) OnFileDone(*this, i);
    }
    FInternet.reset();

    if (ShowOpenFile || ShowOpenFolder) {
      if (OnCopyDone) OnCopyDone(*this);
      FCancelIsClose = true;
      if (FForm) FForm->ShowEnd(DlgClose, !FCancelled);
    } else {
      CloseProgressForm();
      ProcessMessages(quit);
      if (OnCopyDone) OnCopyDone(*this);
    }
  } catch (...) {
    // A failed write (or a throwing handler) must not leave a window that refuses to close
    // nor an open connection behind.
    FInternet.reset();
    CloseProgressForm();
    throw;
  }
}

void TWebCopy::CreateProgressForm() {
  TProgressFormOptions options;
  options.Layout = {ShowFileName, ShowTime, ShowElapsedTime, DlgShowCancel, ShowOpenFile, ShowOpenFolder};
  options.ShowDialogOnTop = ShowDialogOnTop;
  options.AlwaysOnTop = AlwaysOnTop;
  options.ShowCloseBtn = DlgShowCloseBtn;
  options.Caption = DlgCaption + L" ...";
  options.FileLabel = DlgFileLabel;
  options.ProgressLabel = DlgProgressLabel;
  options.RateLabel = DlgRateLabel;
  options.TimeLabel = DlgTimeLabel;
  options.ElapsedTimeLabel = DlgElapsedTimeLabel;
  options.Cancel = DlgCancel;
  options.OpenFile = DlgOpenFile;
  options.OpenFolder = DlgOpenFolder;

  FForm = std::make_unique<TWebCopyProgressForm>(std::move(options));
  FForm->OnCancelClick = [this] { CancelClicked(); };
  FForm->OnOpenFileClick = [this] { OpenClicked(FLastFile); };
  FForm->OnOpenFolderClick = [this] { OpenClicked(FLastDir); };
  FForm->OnRefresh = [this] { RefreshProgress(); };
  FForm->Build();
  if (ShowDialog) {
    if (OnBeforeDialogShow) OnBeforeDialogShow(*this, *FForm);
    FForm->Show(SW_SHOWNORMAL);
  }
}

void TWebCopy::CloseProgressForm() {
  FCancelIsClose = true;
  if (!FForm) return;
  FForm->SetCloseAllowed(true);
  FForm->Close();
  FForm.reset();
}

void TWebCopy::OpenInternet() {
  const bool viaProxy = !Proxy.empty();
  TInternetHandle internet(InternetOpenW(Agent.c_str(),
                                         viaProxy ? INTERNET_OPEN_TYPE_PROXY : INTERNET_OPEN_TYPE_PRECONFIG,
                                         viaProxy ? Proxy.c_str() : nullptr, nullptr, INTERNET_FLAG_NO_CACHE_WRITE));
  if (!internet) return;
  // Shared with the downloads' workers: one still waiting for a server keeps it open.
  FInternet = std::move(internet);
  std::optional<DWORD> timeout = InternetTimeoutMs(Timeout);
  if (!timeout) return;
  DWORD ms = *timeout;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
    InternetSetOptionW(FInternet.get(), option, &ms, sizeof ms);
}

void TWebCopy::SetTransferTitle(TWebCopyProtocol protocol) {
  if (!FForm) return;
  switch (protocol) {
    case wpHttp:
    case wpFtp:
    case wpMultiFtp:
      FForm->SetCaption(DlgDwnload + L" ...");
      break;
    case wpFile:
      FForm->SetCaption(DlgCopying + L" ...");
      break;
    case wpFtpUpload:
    case wpHttpUpload:
    case wpMultiFtpUpload:
      FForm->SetCaption(DlgUpload + L" ...");
      break;
    default:
      break;
  }
}

void TWebCopy::NoteProgress(int64_t received, int64_t total, uint64_t elapsedMs) {
  FProgress = {received, total, elapsedMs, false};
}

void TWebCopy::RefreshProgress() {
  if (FProgress.Shown) return;
  FProgress.Shown = true;
  const TProgressLabels labels{DlgProgressLabel, DlgFileOfLabel, DlgRateLabel, DlgTimeLabel, DlgElapsedTimeLabel,
                               DlgTimeSec,       DlgTimeMin,     DlgDwnload,   DlgCompleted, ShowCompletion};
  const TProgressView view = ComputeProgressView(labels, FProgress.Received, FProgress.Total, FProgress.ElapsedMs);
  FRateStr = view.RateStr;
  FTimeLeftStr = view.TimeLeftStr;
  FElapsedTimeStr = view.ElapsedTimeStr;
  if (FForm) FForm->ShowProgress(view);
}

void TWebCopy::ReportError(int code, const std::wstring& info) {
  if (OnError) OnError(*this, code);
  if (OnErrorInfo) OnErrorInfo(*this, code, info);
}

void TWebCopy::CancelClicked() {
  if (!FCancelIsClose) {
    if (OnCopyCancel) OnCopyCancel(*this);
    FCancelled = true;
  }
  // Refused while the transfer runs (unless the window has its close button).
  if (FForm) FForm->Close();
}

void TWebCopy::OpenClicked(const std::wstring& path) {
  if (!FForm) return;
  const std::wstring target = path;
  ShellExecuteW(FForm->HandleAllocated() ? FForm->Handle() : nullptr, L"open", target.c_str(), nullptr, nullptr,
                SW_SHOWNORMAL);
  FForm->Close();
}

}  // namespace quirel::webcopy
