// TWebCopy: copies a list of remote items to local files, one after the other, on the calling
// thread, while a small progress window shows the transfer and offers a cancel button.
// HTTP and HTTPS downloads over WinINet are built; the other transfer kinds are not.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "update/webcopy/ProgressForm.h"
#include "update/webcopy/WebCopyItems.h"
#include "update/webcopy/WinHandles.h"

namespace quirel::webcopy {

// Whether the items need an internet handle: an active item of a kind other than wpFile.
bool NeedsInternetHandle(const TWebCopyItems& items);

// The connect, send and receive time-out for `Timeout` seconds; none for 0 or less.
std::optional<DWORD> InternetTimeoutMs(int seconds);

class TWebCopy {
 public:
  using TNotifyEvent = std::function<void(TWebCopy& sender)>;
  using TIndexEvent = std::function<void(TWebCopy& sender, int index)>;
  using TErrorEvent = std::function<void(TWebCopy& sender, int errorCode)>;
  using TErrorInfoEvent = std::function<void(TWebCopy& sender, int errorCode, const std::wstring& errorInfo)>;
  using TURLEvent = std::function<void(TWebCopy& sender, const std::wstring& url)>;
  using TOverWriteEvent = std::function<void(TWebCopy& sender, const std::wstring& tgtfile, bool& allow)>;
  using TProgressEvent = std::function<void(TWebCopy& sender, int fileidx, int64_t size, int64_t totsize)>;
  using TDialogEvent = std::function<void(TWebCopy& sender, TWebCopyProgressForm& dialog)>;

  TWebCopy() = default;
  ~TWebCopy();
  TWebCopy(const TWebCopy&) = delete;
  TWebCopy& operator=(const TWebCopy&) = delete;

  TWebCopyItems Items;
  std::wstring Agent = L"WebCopy";
  // Empty: the system's proxy configuration.
  std::wstring Proxy;
  std::wstring ProxyUserID;
  std::wstring ProxyPassword;
  // Seconds for connecting, sending and receiving; 0 or less leaves the system's values.
  int Timeout = 0;
  bool HTTPKeepAliveAuthentication = false;
  bool ShowDialog = true;
  bool ShowDialogOnTop = true;
  bool AlwaysOnTop = false;
  bool ShowFileName = true;
  bool ShowServer = true;
  bool ShowCompletion = false;
  bool ShowTime = false;
  bool ShowElapsedTime = false;
  bool ShowOpenFile = false;
  bool ShowOpenFolder = false;
  bool DlgShowCancel = true;
  bool DlgShowCloseBtn = false;
  bool CreateUniqueFilenames = false;
  bool AutoURLDecode = false;
  std::wstring DlgCaption = L"Downloading";
  std::wstring DlgDwnload = L"Downloading";
  std::wstring DlgUpload = L"Uploading";
  std::wstring DlgCopying = L"Copying";
  std::wstring DlgCompleted = L"completed";
  std::wstring DlgFileLabel = L"File :";
  std::wstring DlgFileOfLabel = L"of";
  std::wstring DlgFromServerLabel = L"from";
  std::wstring DlgToServerLabel = L"to";  // uploads, which are not built
  std::wstring DlgProgressLabel = L"Progress :";
  std::wstring DlgRateLabel = L"Transfer rate :";
  std::wstring DlgTimeLabel = L"Estimated time left :";
  std::wstring DlgElapsedTimeLabel = L"Elapsed time :";
  std::wstring DlgTimeSec = L"sec";
  std::wstring DlgTimeMin = L"minutes";
  std::wstring DlgCancel = L"Cancel";
  std::wstring DlgClose = L"Close";
  std::wstring DlgOpenFile = L"Open file";
  std::wstring DlgOpenFolder = L"Open folder";

  TNotifyEvent OnCopyDone;
  TErrorInfoEvent OnErrorInfo;
  TIndexEvent OnFileDone;
  TErrorEvent OnError;
  TIndexEvent OnFileStart;
  TURLEvent OnURLNotFound;
  TNotifyEvent OnCopyCancel;
  TOverWriteEvent OnCopyOverWrite;
  TProgressEvent OnCopyProgress;
  TDialogEvent OnBeforeDialogShow;

  // Transfers all items and returns when they are done, cancelled or failed; pumps the
  // thread's messages meanwhile. The caller keeps itself from being entered again meanwhile;
  // a nested Execute is refused. A failed write to a file leaves as EInOutError, after the
  // window and the internet handles have been closed.
  void Execute();
  void DoCopy();
  // The running transfer stops after its current block.
  void CancelCopy() { FCancelled = true; }

  const std::wstring& RateStr() const { return FRateStr; }
  const std::wstring& TimeLeftStr() const { return FTimeLeftStr; }
  const std::wstring& ElapsedTimeStr() const { return FElapsedTimeStr; }
  // The progress window while it exists (also after Execute, with the open buttons).
  TWebCopyProgressForm* ProgressForm() const;

 private:
  void CreateProgressForm();
  void CloseProgressForm();
  void OpenInternet();
  void SetTransferTitle(TWebCopyProtocol protocol);
  bool CopyHttpItem(TWebCopyItem& item);
  void UpdateProgress(int64_t received, int64_t total, uint64_t startTick);
  void ReportError(int code, const std::wstring& info);
  void CancelClicked();
  void OpenClicked(const std::wstring& path);

  bool FCancelled = false;
  bool FCancelIsClose = false;
  bool FRunning = false;
  int FFileNum = 0;
  TInternetHandle FInternet;
  std::wstring FLastFile;
  std::wstring FLastDir;
  std::wstring FRateStr;
  std::wstring FTimeLeftStr;
  std::wstring FElapsedTimeStr;
  std::unique_ptr<TWebCopyProgressForm> FForm;
};

}  // namespace quirel::webcopy
